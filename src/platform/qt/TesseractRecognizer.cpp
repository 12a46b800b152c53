// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractRecognizer.h"

#include "TesseractEngine.h"

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <utility>

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

TesseractRecognizer::TesseractRecognizer(QString language, QString dataPath)
    : m_language(std::move(language)), m_dataPath(std::move(dataPath))
{
}

TesseractRecognizer::~TesseractRecognizer()
{
    QMutexLocker lock(&m_mutex); // a perform under way finishes first
    m_api.reset();
}

void TesseractRecognizer::setLanguage(const QString& language)
{
    QMutexLocker lock(&m_mutex);
    if (language == m_language)
        return;
    m_language = language;
    m_api.reset(); // loaded again, with the new languages, on the next perform
}

QString TesseractRecognizer::language() const
{
    QMutexLocker lock(&m_mutex);
    return m_language;
}

QString TesseractRecognizer::load()
{
    QMutexLocker lock(&m_mutex);
    return loadLocked();
}

QString TesseractRecognizer::loadLocked()
{
    if (m_api)
        return {};
    QString error;
    auto api = TesseractEngine::open(m_language, m_dataPath, error);
    if (!api)
        return error;
    // Keeps the runner-up of each character, for the other readings of a line (no slower).
    api->SetVariable("lstm_choice_mode", "2");
    m_api = std::move(api);
    return {};
}

Recognition TesseractRecognizer::perform(const QImage& image)
{
    QMutexLocker lock(&m_mutex);
    if (const QString error = loadLocked(); !error.isEmpty())
        return Recognition::failed(Recognition::Unavailable, error);
    if (image.isNull() || image.width() < 3 || image.height() < 3)
        return Recognition::failed(Recognition::Failed, QStringLiteral("The image is empty"));

    const QImage grey = TesseractEngine::toGrey(image);
    TesseractEngine::keepOpenMpToOneThread();
    m_api->SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
    tesseract::ETEXT_DESC monitor; // the time limit, checked by the engine as it goes
    if (m_timeLimitMs > 0)
        monitor.set_deadline_msecs(m_timeLimitMs);
    if (m_api->Recognize(m_timeLimitMs > 0 ? &monitor : nullptr) != 0 ||
        (m_timeLimitMs > 0 && monitor.deadline_exceeded())) {
        m_api->Clear();
        return Recognition::failed(
            Recognition::Failed,
            m_timeLimitMs > 0 && monitor.deadline_exceeded()
                ? QStringLiteral("took longer than the limit of %1 s").arg(m_timeLimitMs / 1000.0)
                : QStringLiteral("Tesseract could not recognise the image"));
    }

    Recognition result;
    std::unique_ptr<tesseract::ResultIterator> it(m_api->GetIterator());
    if (it && !it->Empty(tesseract::RIL_TEXTLINE)) {
        do {
            std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_TEXTLINE));
            RecognizedLine line;
            const QString best = QString::fromUtf8(text.get()).trimmed();
            if (!best.isEmpty())
                line.candidates << best << alternatives(*it, best, kAlternatives);
            line.confidence = it->Confidence(tesseract::RIL_TEXTLINE);
            result.lines << line;
        } while (it->Next(tesseract::RIL_TEXTLINE));
    }
    it.reset();
    m_api->Clear(); // frees this page's results; the loaded model stays
    return result;
}
