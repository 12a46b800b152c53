// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QSize>

// What a JPEG's, PNG's or TIFF's header says about reading it row by row: whether its rows come a
// few at a time (a sequential Huffman JPEG, a PNG that is not interlaced, a TIFF in small strips
// or tiles), and the fewest bytes its pixels can be coded in, which tells a real large image from
// a small file that only claims one.
struct StreamHeader
{
    QSize size;
    bool rowByRow = false;
    qint64 fewestBytes = 0;

    // Read from the device's start; an empty size when it is none of those or does not read.
    static StreamHeader read(QIODevice& device);
    // a * b for counts of non-negative bytes, held at the largest qint64 rather than wrapping:
    // a hostile header's sides multiply past it.
    static qint64 product(qint64 a, qint64 b);
};
