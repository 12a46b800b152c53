// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractLines.h"

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <memory>

namespace {
const int kAlternatives = 2; // readings offered beside the best one

// Other readings of the line at it, most likely first: each swaps one uncertain character for
// the engine's runner-up there. best is the line as the engine reads it.
QStringList alternatives(const tesseract::ResultIterator& it, const QString& best, int max)
{
    struct Swap
    {
        qsizetype at;
        qsizetype length;
        QString with;
        float confidence;
    };
    std::vector<Swap> swaps;
    QString line;
    tesseract::ResultIterator sym(it);
    while (line.size() <= best.size()) {
        std::unique_ptr<char[]> text(sym.GetUTF8Text(tesseract::RIL_SYMBOL));
        if (!text)
            break;
        if (sym.IsAtBeginningOf(tesseract::RIL_WORD) && !line.isEmpty())
            line += QLatin1Char(' ');
        const QString symbol = QString::fromUtf8(text.get());
        tesseract::ChoiceIterator choice(sym);
        if (choice.Next() && choice.GetUTF8Text()) {
            const QString other = QString::fromUtf8(choice.GetUTF8Text()).trimmed();
            if (!other.isEmpty() && other != symbol)
                swaps.push_back({line.size(), symbol.size(), other, choice.Confidence()});
        }
        line += symbol;
        if (sym.IsAtFinalElement(tesseract::RIL_TEXTLINE, tesseract::RIL_SYMBOL) ||
            !sym.Next(tesseract::RIL_SYMBOL))
            break;
    }
    if (line != best) // spelled out differently (e.g. reordered script): offer nothing
        return {};
    std::ranges::sort(swaps,
                      [](const Swap& a, const Swap& b) { return a.confidence > b.confidence; });
    QStringList out;
    for (const Swap& s : swaps) {
        if (out.size() >= max)
            break;
        out << QString(best).replace(s.at, s.length, s.with);
    }
    return out;
}
} // namespace

namespace TesseractLines {

QList<RecognizedLine> read(tesseract::TessBaseAPI& api, QList<QRect>* boxes)
{
    QList<RecognizedLine> lines;
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (!it || it->Empty(tesseract::RIL_TEXTLINE))
        return lines;
    do {
        std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_TEXTLINE));
        RecognizedLine line;
        const QString best = QString::fromUtf8(text.get()).trimmed();
        if (!best.isEmpty())
            line.candidates << best << alternatives(*it, best, kAlternatives);
        line.confidence = it->Confidence(tesseract::RIL_TEXTLINE);
        lines << line;
        if (boxes) {
            int left = 0, top = 0, right = 0, bottom = 0;
            it->BoundingBox(tesseract::RIL_TEXTLINE, &left, &top, &right, &bottom);
            boxes->append(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
        }
    } while (it->Next(tesseract::RIL_TEXTLINE));
    return lines;
}

} // namespace TesseractLines
