// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageText.h"

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <memory>

namespace {
QRect boxAt(const tesseract::PageIterator& it, tesseract::PageIteratorLevel level)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    if (!it.BoundingBox(level, &left, &top, &right, &bottom))
        return {};
    return {QPoint(left, top), QPoint(right - 1, bottom - 1)};
}
} // namespace

PageText PageText::read(tesseract::TessBaseAPI& api)
{
    PageText page;
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (!it || it->Empty(tesseract::RIL_WORD))
        return page;
    Line line;
    const auto finish = [&] {
        if (!line.words.isEmpty())
            page.lines << line;
        line = {};
    };
    do {
        if (it->IsAtBeginningOf(tesseract::RIL_TEXTLINE)) {
            finish();
            line.box = boxAt(*it, tesseract::RIL_TEXTLINE);
            line.startsParagraph = it->IsAtBeginningOf(tesseract::RIL_PARA);
            int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            if (it->Baseline(tesseract::RIL_TEXTLINE, &x1, &y1, &x2, &y2) && x2 > x1)
                line.baseline = QLineF(x1, y1, x2, y2);
            else
                line.baseline =
                    QLineF(line.box.left(), line.box.bottom(), line.box.right(), line.box.bottom());
        }
        const std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_WORD));
        const QString word = QString::fromUtf8(text.get()).trimmed();
        if (!word.isEmpty())
            line.words << Word{word, boxAt(*it, tesseract::RIL_WORD)};
    } while (it->Next(tesseract::RIL_WORD));
    finish();
    return page;
}

QString PageText::plain() const
{
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0 && lines[i].startsParagraph)
            out += QLatin1Char('\n');
        QStringList words;
        for (const Word& w : lines[i].words)
            words << w.text;
        out += words.join(QLatin1Char(' ')) + QLatin1Char('\n');
    }
    return lines.isEmpty() ? out : out + QLatin1Char('\n');
}

int PageText::lineHeight() const
{
    std::vector<int> heights;
    for (const Line& l : lines)
        heights.push_back(l.box.height());
    if (heights.empty())
        return 0;
    std::ranges::nth_element(heights, heights.begin() + qsizetype(heights.size() / 2));
    return heights[heights.size() / 2];
}

void PageText::moveDown(int dy)
{
    for (Line& line : lines) {
        line.box.translate(0, dy);
        line.baseline.translate(0, dy);
        for (Word& word : line.words)
            word.box.translate(0, dy);
    }
}
