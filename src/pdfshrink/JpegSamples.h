// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

// An image's samples straight from libjpeg and back, in the JPEG's own colour model (grey, YCbCr
// or RGB), so that scaling an image needs no colour conversion and no Qt image plugin.
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
    // The samples of jpeg decoded at 1/denominator (1, 2, 4 or 8) of its size, to be averaged
    // down further; empty samples when it does not decode whole or is not grey or
    // three-component colour.
    [[nodiscard]] static JpegSamples decode(const QByteArray& jpeg, int denominator = 1);
    // Whether YCbCr samples are all within tolerance of neutral: a grey picture stored as colour.
    [[nodiscard]] bool isNeutral(int tolerance) const;
    // The luma of YCbCr samples as a grey picture.
    [[nodiscard]] JpegSamples luma() const;
    // The samples as a JPEG at quality 1..100 with optimized Huffman tables; empty on failure.
    [[nodiscard]] QByteArray encode(int quality) const;
};
