// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineF>
#include <QList>
#include <QRect>
#include <QString>

namespace tesseract {
class TessBaseAPI;
}

// The words recognised on a page, line by line in reading order, where each lies in the image.
struct PageText
{
    struct Word
    {
        QString text;
        QRect box;
    };
    struct Line
    {
        QRect box;
        QLineF baseline; // along the line, left to right, in image pixels
        bool startsParagraph = false;
        QList<Word> words;
    };
    QList<Line> lines;

    // What the engine has just recognised (after Recognize).
    static PageText read(tesseract::TessBaseAPI& api);
    // The lines as text, a blank line after each paragraph, as the engine gives its text.
    [[nodiscard]] QString plain() const;
    // Every place moved down by dy pixels: words read in a band starting dy below the page's top.
    void moveDown(int dy);
    // The middle height of the lines (0 without any): the size the page's text is set in.
    [[nodiscard]] int lineHeight() const;
};
