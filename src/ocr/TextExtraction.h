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

    // Reads image upright (EXIF orientation applied) with recognizer.
    static TextExtraction run(TextRecognizer& recognizer, const Image& image);
};
