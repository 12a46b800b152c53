// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"

#include <QString>

class TextRecognizer;

// Reading the text of one photo: what the screen and the command line share.
struct TextExtraction
{
    enum Outcome
    {
        Read,        // text holds each recognised line followed by a line feed (maybe none)
        NoBitmap,    // the image has no pixels to read
        Failed,      // the recogniser failed; error says why
        Unavailable, // the recogniser cannot run (e.g. language data missing); error says why
    };
    Outcome outcome = Read;
    QString text;
    QString error;

    // More pixels than this add nothing to recognition (an A3 page at 300 dpi has 17 million)
    // and cost the recogniser time and several times their size: larger images are read scaled
    // down.
    static constexpr qint64 kMostPixels = 20'000'000;

    // Reads image upright (EXIF orientation applied) with recognizer.
    static TextExtraction run(TextRecognizer& recognizer, const Image& image);
};
