// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

#include <vector>

// One stream of a PDF lifted out of the document with what its recoding needs, so that streams
// are recoded on every core while the document itself stays on one thread.
struct StreamJob
{
    enum class Kind
    {
        Jpeg,   // a DCTDecode image: requantized, or scaled and encoded again
        Deflate // a FlateDecode or unfiltered stream: deflated again, or scaled and deflated
    };
    Kind kind = Kind::Deflate;
    QByteArray stored;          // the bytes as the file holds them
    bool inflateFirst = true;   // stored is a zlib stream (else it is the data itself)
    qint64 inflateLimit = 0;    // the most bytes it may inflate to
    QByteArray samples;         // an image's 8-bit samples, given only when it is to be scaled
    QSize size;                 // an image's pixels
    int components = 0;         // samples per pixel, for scaling (1 or 3)
    double scale = 1;           // below 1: the image is drawn small enough to be scaled down so
    std::vector<int> qualities; // a JPEG's qualities to encode at, 1..100
    bool mayTurnGray = false;   // a colour image that may be stored as grey when it has no colour

    // What recoding gave: one result per quality (one for Deflate), each empty where it was not
    // smaller than stored; newSize is the image's size when it was scaled. A JPEG result may be
    // deflated as well (flate-wrapped): the runs of near-empty blocks that Huffman codes cannot
    // take below two bits each deflate to a fraction.
    std::vector<QByteArray> encoded;
    std::vector<bool> deflated;
    QSize newSize;
    bool turnedGray = false; // the scaled image is stored as grey
};
