// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

// An image's samples in a JPEG's own colour model (grey, YCbCr or RGB), encoded by libjpeg
// without a colour conversion or a Qt image plugin.
struct JpegSamples
{
    enum class Model
    {
        Gray,
        YCbCr,
        Rgb
    };
    QByteArray samples; // rows of size.width() * components bytes, no padding
    QSize size;
    Model model = Model::Gray;

    [[nodiscard]] int components() const { return model == Model::Gray ? 1 : 3; }
    // The samples as a JPEG at quality 1..100 with optimized Huffman tables; empty on failure.
    [[nodiscard]] QByteArray encode(int quality) const;
};
