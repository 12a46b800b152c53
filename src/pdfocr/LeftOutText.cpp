// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LeftOutText.h"

#include <tesseract/baseapi.h>

#include <algorithm>

namespace {
using InkShapes::Ink;

constexpr int kMostReads = 20;       // past this many pieces the page is noise, not text
constexpr int kLeastConfidence = 70; // of 100: a piece read less surely is left out

// The line that a thing at box belongs to: level with it and starting a little to its right
// (ahead: box lies before the line's first word) or near it; -1 when none.
qsizetype lineOf(const QList<PageText::Line>& lines, const QRect& box, int lineHeight, bool ahead)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRect& l = lines[i].box;
        const int middle = box.center().y();
        if (middle < l.top() || middle > l.bottom())
            continue;
        const int gap = l.left() - box.right();
        if (ahead ? (gap > 0 && gap < 3 * lineHeight)
                  : (box.left() < l.right() + 3 * lineHeight &&
                     box.right() > l.left() - 3 * lineHeight))
            return i;
    }
    return -1;
}

void place(PageText& page, const PageText::Word& word, qsizetype line)
{
    QList<PageText::Word>& words = page.lines[line].words;
    const auto at = std::ranges::find_if(
        words, [&](const PageText::Word& w) { return w.box.left() > word.box.left(); });
    words.insert(at - words.begin(), word);
    page.lines[line].box |= word.box;
}

// Marks of the text's size outside every word, joined into pieces as text would be: level and
// nearer than a line's height apart.
QList<Ink> loosePieces(const QList<Ink>& marks, const PageText& page, int lineHeight)
{
    QList<QRect> words;
    for (const PageText::Line& l : page.lines)
        for (const PageText::Word& w : l.words)
            words << w.box.adjusted(-2, -2, 2, 2);
    QList<Ink> loose;
    for (const Ink& ink : marks) {
        const bool speck = ink.box.height() < lineHeight / 5 && ink.box.width() < lineHeight / 5;
        const QPoint middle = ink.box.center();
        if (!speck && ink.box.height() <= 2 * lineHeight &&
            std::ranges::none_of(words, [&](const QRect& w) { return w.contains(middle); }))
            loose << ink;
        if (loose.size() > 5 * qsizetype(kMostReads)) // a picture or noise, not words left out
            return {};
    }
    for (bool joined = true; joined;) {
        joined = false;
        for (qsizetype i = 0; i < loose.size() && !joined; ++i)
            for (qsizetype j = i + 1; j < loose.size() && !joined; ++j) {
                const QRect a = loose[i].box, b = loose[j].box;
                const bool level = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top()) >
                                   std::min(a.height(), b.height()) / 2;
                const int gap = std::max(a.left(), b.left()) - std::min(a.right(), b.right());
                if (level && gap < lineHeight) {
                    loose[i] = {a | b, loose[i].area + loose[j].area};
                    loose.removeAt(j);
                    joined = true;
                }
            }
    }
    return loose;
}

// The text of a piece, read on its own as one line; empty when not read surely.
PageText::Line readPiece(tesseract::TessBaseAPI& api, const QRect& piece, QSize image,
                         int lineHeight)
{
    const QRect around =
        piece.adjusted(-lineHeight / 2, -lineHeight / 4, lineHeight / 2, lineHeight / 4)
            .intersected(QRect(QPoint(0, 0), image));
    api.SetRectangle(around.left(), around.top(), around.width(), around.height());
    if (api.Recognize(nullptr) != 0)
        return {};
    const PageText read = PageText::read(api);
    if (read.lines.size() != 1 || api.MeanTextConf() < kLeastConfidence)
        return {};
    return read.lines.front();
}
} // namespace

namespace LeftOutText {

void add(tesseract::TessBaseAPI& api, const QList<Ink>& marks, QSize image, PageText& page)
{
    const int lineHeight = page.lineHeight();
    if (lineHeight < 8)
        return;
    const QList<Ink> loose = loosePieces(marks, page, lineHeight);
    if (loose.size() > kMostReads)
        return;
    const auto mode = api.GetPageSegMode();
    api.SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    for (const Ink& piece : loose) {
        // A bullet may be smaller than any letter: it is told by its shape before its size.
        if (InkShapes::isBullet(piece, lineHeight)) {
            if (const qsizetype line = lineOf(page.lines, piece.box, lineHeight, true); line >= 0)
                place(page, {QStringLiteral("\u2022"), piece.box}, line);
            continue;
        }
        if (piece.box.height() < lineHeight / 4 || piece.box.height() > 3 * lineHeight / 2)
            continue;
        PageText::Line own = readPiece(api, piece.box, image, lineHeight);
        if (own.words.isEmpty())
            continue;
        if (const qsizetype line = lineOf(page.lines, own.box, lineHeight, false); line >= 0) {
            for (const PageText::Word& w : own.words)
                place(page, w, line);
            continue;
        }
        // Text of its own, such as a page number: a line placed among the others by height.
        own.startsParagraph = true;
        const auto below = std::ranges::find_if(
            page.lines, [&](const PageText::Line& l) { return l.box.top() > own.box.top(); });
        page.lines.insert(below - page.lines.begin(), own);
    }
    api.SetPageSegMode(mode);
}

} // namespace LeftOutText
