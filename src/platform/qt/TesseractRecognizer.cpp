// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractRecognizer.h"

#include "TesseractEngine.h"
#include "TesseractLines.h"
#include "TesseractPieces.h"
#include "common/Logging.h"

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <utility>

namespace {
Recognition notRead(bool late, int limitMs)
{
    return Recognition::failed(
        Recognition::Failed,
        late ? QStringLiteral("took longer than the limit of %1 s").arg(limitMs / 1000.0)
             : QStringLiteral("Tesseract could not recognise the image"));
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
    m_helpers.clear();
}

QString TesseractRecognizer::language() const
{
    QMutexLocker lock(&m_mutex);
    return m_language;
}

void TesseractRecognizer::setEngines(int count)
{
    QMutexLocker lock(&m_mutex);
    m_engines = std::clamp(count, 1, 16);
    if (m_helpers.size() >= size_t(m_engines))
        m_helpers.resize(size_t(m_engines - 1));
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
    if (m_engines > 1) {
        // The layout found here is the one a whole-page reading would use, so a page not worth
        // sharing goes on from it without finding it again.
        const QList<QRect> pieces = TesseractPieces::find(*m_api, grey.size(), m_engines);
        if (!pieces.isEmpty() && loadHelpersLocked()) {
            qCDebug(lcOcr) << "page read in" << pieces.size() << "pieces by" << m_engines
                           << "engines";
            return readPieces(grey, pieces);
        }
    }
    tesseract::ETEXT_DESC monitor; // the time limit, checked by the engine as it goes
    if (m_timeLimitMs > 0)
        monitor.set_deadline_msecs(m_timeLimitMs);
    if (m_api->Recognize(m_timeLimitMs > 0 ? &monitor : nullptr) != 0 ||
        (m_timeLimitMs > 0 && monitor.deadline_exceeded())) {
        m_api->Clear();
        return notRead(m_timeLimitMs > 0 && monitor.deadline_exceeded(), m_timeLimitMs);
    }

    Recognition result;
    result.lines = TesseractLines::read(*m_api);
    m_api->Clear(); // frees this page's results; the loaded model stays
    return result;
}

bool TesseractRecognizer::loadHelpersLocked()
{
    while (m_helpers.size() < size_t(m_engines - 1)) {
        QString error;
        auto api = TesseractEngine::open(m_language, m_dataPath, error);
        if (!api)
            return false;
        api->SetVariable("lstm_choice_mode", "2");
        m_helpers.push_back(std::move(api));
    }
    return true;
}

Recognition TesseractRecognizer::readPieces(const QImage& grey, const QList<QRect>& pieces)
{
    std::vector<tesseract::TessBaseAPI*> engines{m_api.get()};
    for (const auto& helper : m_helpers)
        engines.push_back(helper.get());
    // Largest pieces first, each to the engine with the least area so far.
    std::vector<qsizetype> order(size_t(pieces.size()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = qsizetype(i);
    const auto area = [&](qsizetype i) { return qint64(pieces[i].width()) * pieces[i].height(); };
    std::ranges::sort(order, [&](qsizetype a, qsizetype b) { return area(a) > area(b); });
    std::vector<std::vector<qsizetype>> shares(engines.size());
    std::vector<qint64> load(engines.size(), 0);
    for (const qsizetype i : order) {
        const auto least = size_t(std::ranges::min_element(load) - load.begin());
        shares[least].push_back(i);
        load[least] += area(i);
    }

    // Each engine reads the whole page with everything but its own pieces made blank paper, so
    // that it sees its text exactly where, and at the size, a whole-page reading would.
    std::vector<QList<RecognizedLine>> read(size_t(pieces.size()));
    std::atomic<bool> failed = false;
    std::atomic<bool> late = false;
    const int limitMs = m_timeLimitMs;
    const auto work = [&](tesseract::TessBaseAPI& api, const std::vector<qsizetype>& mine) {
        TesseractEngine::keepOpenMpToOneThread();
        QImage own(grey.size(), QImage::Format_Grayscale8);
        own.fill(0xff);
        for (const qsizetype i : mine) {
            const QRect& r = pieces[i];
            for (int y = r.top(); y <= r.bottom(); ++y)
                std::memcpy(own.scanLine(y) + r.left(), grey.constScanLine(y) + r.left(),
                            size_t(r.width()));
        }
        api.SetImage(own.constBits(), own.width(), own.height(), 1, int(own.bytesPerLine()));
        tesseract::ETEXT_DESC monitor;
        if (limitMs > 0)
            monitor.set_deadline_msecs(limitMs);
        if (api.Recognize(limitMs > 0 ? &monitor : nullptr) != 0 ||
            (limitMs > 0 && monitor.deadline_exceeded())) {
            late = limitMs > 0 && monitor.deadline_exceeded();
            failed = true;
            api.Clear();
            return;
        }
        QList<QRect> boxes;
        const QList<RecognizedLine> lines = TesseractLines::read(api, &boxes);
        api.Clear();
        // Each line goes to the piece its middle lies in, in the order this engine read them.
        for (qsizetype l = 0; l < lines.size(); ++l) {
            const QPoint middle = boxes[l].center();
            const auto in =
                std::ranges::find_if(mine, [&](qsizetype i) { return pieces[i].contains(middle); });
            read[size_t(in != mine.end() ? *in : mine.front())] << lines[l];
        }
    };
    {
        std::vector<std::jthread> others;
        for (size_t e = 1; e < engines.size(); ++e)
            if (!shares[e].empty())
                others.emplace_back(work, std::ref(*engines[e]), std::cref(shares[e]));
        if (!shares[0].empty())
            work(*engines[0], shares[0]);
    }
    if (failed)
        return notRead(late, limitMs);
    Recognition result;
    for (const QList<RecognizedLine>& lines : read)
        result.lines << lines;
    return result;
}
