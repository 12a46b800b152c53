// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractPieces.h"

#include <tesseract/baseapi.h>
#include <tesseract/pageiterator.h>

#include <algorithm>
#include <memory>

namespace {
const int kFewestLines = 3; // a piece shorter than this costs more in set-up than it saves
const int kSidePad = 6;     // pixels kept around a block, for strokes its box leaves out and paper

struct Block
{
    QRect box;
    QList<QRect> lines;
};

QRect boxAt(const tesseract::PageIterator& it, tesseract::PageIteratorLevel level)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    if (!it.BoundingBox(level, &left, &top, &right, &bottom))
        return {};
    return {QPoint(left, top), QPoint(right - 1, bottom - 1)};
}

QList<Block> textBlocks(tesseract::TessBaseAPI& api)
{
    QList<Block> blocks;
    std::unique_ptr<tesseract::PageIterator> it(api.AnalyseLayout());
    if (!it)
        return blocks;
    bool keep = false;
    do {
        if (it->IsAtBeginningOf(tesseract::RIL_BLOCK)) {
            keep = PTIsTextType(it->BlockType());
            if (keep)
                blocks.append({boxAt(*it, tesseract::RIL_BLOCK), {}});
        }
        if (keep)
            if (const QRect line = boxAt(*it, tesseract::RIL_TEXTLINE); !line.isEmpty())
                blocks.last().lines.append(line);
    } while (it->Next(tesseract::RIL_TEXTLINE));
    return blocks;
}

// A run of a block's lines [from, to) as a rectangle, cut half-way across the gaps to the lines
// before and after it so that no line is split between two pieces.
QRect run(const Block& block, qsizetype from, qsizetype to)
{
    const QList<QRect>& lines = block.lines;
    int left = block.box.left(), right = block.box.right();
    for (qsizetype i = from; i < to; ++i) {
        left = std::min(left, lines[i].left());
        right = std::max(right, lines[i].right());
    }
    const int top = from == 0 ? std::min(block.box.top(), lines[from].top()) - kSidePad
                              : (lines[from - 1].bottom() + lines[from].top() + 1) / 2;
    const int bottom = to == lines.size()
                           ? std::max(block.box.bottom(), lines[to - 1].bottom()) + kSidePad
                           : (lines[to - 1].bottom() + lines[to].top() - 1) / 2;
    return {QPoint(left - kSidePad, top), QPoint(right + kSidePad, bottom)};
}
} // namespace

namespace TesseractPieces {

QList<QRect> find(tesseract::TessBaseAPI& api, const QSize& image, int engines)
{
    const QList<Block> blocks = textBlocks(api);
    qsizetype total = 0;
    for (const Block& b : blocks)
        total += b.lines.size();
    const qsizetype wanted = 2 * qsizetype(engines); // so that a larger piece leaves none idle
    if (engines < 2 || total < 2 * qsizetype(kFewestLines))
        return {};
    const qsizetype each = std::max<qsizetype>(kFewestLines, (total + wanted - 1) / wanted);
    const QRect page(QPoint(0, 0), image);
    QList<QRect> pieces;
    for (const Block& block : blocks) {
        if (block.lines.isEmpty())
            continue;
        const qsizetype runs = std::max<qsizetype>(1, block.lines.size() / each);
        for (qsizetype r = 0; r < runs; ++r) {
            const qsizetype from = block.lines.size() * r / runs;
            const qsizetype to = block.lines.size() * (r + 1) / runs;
            pieces.append(run(block, from, to).intersected(page));
        }
    }
    return pieces;
}

} // namespace TesseractPieces
