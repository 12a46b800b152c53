// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QIODevice;

// What a PDF needs to know of a JPEG stream to embed it as it is, read from its markers only.
struct JpegInfo
{
    QSize size;         // as stored, before any EXIF orientation
    int components = 0; // 1 grey, 3 YCbCr/RGB, 4 CMYK/YCCK
    int precision = 0;  // bits per sample
    bool adobe = false; // an Adobe APP14 marker: CMYK samples are stored inverted

    // True when a PDF reader can show the stream through /DCTDecode without help: baseline or
    // progressive Huffman coding, 8-bit samples, 1, 3 or 4 components.
    [[nodiscard]] bool embeddable() const;

    // Walks the markers up to the image data; an invalid JpegInfo when they do not read.
    static JpegInfo read(QIODevice& device);
};
