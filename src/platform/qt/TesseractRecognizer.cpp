// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TesseractRecognizer.h"

#include "TesseractEngine.h"
#include "TesseractLines.h"
#include "TesseractPieces.h"
#include "common/Logging.h"
#include "image/TextBands.h"

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>

#include <algorithm>
#include <atomic>
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
    // The engines sharing a page load side by side.
    std::jthread helpers([this] { loadHelpersLocked(); });
    return loadLocked();
}

QString TesseractRecognizer::loadLocked()
{
    if (m_api)
        return {};
    QString error;
    m_api = openEngine(error);
    return error;
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
    if (m_engines > 1) {
        // Bands across the page at gaps between lines, each found and read whole by one engine:
        // finding the layout is as much work as reading a block, and this shares that too. Four
        // for every engine, so that the last one read leaves the others idle only briefly.
        const QList<QRect> bands = TextBands::cut(grey, 4 * m_engines);
        if (bands.size() > 1) {
            qCDebug(lcOcr) << "page read in" << bands.size() << "bands by" << m_engines
                           << "engines";
            return readPieces(grey, bands, Pieces::Bands);
        }
        // A page with no gap across it: its layout is found once and its blocks are shared.
        // The layout found here is the one a whole-page reading would use, so a page not worth
        // sharing goes on from it without finding it again.
        // The other engines load while this one finds the layout.
        bool helpers = false;
        std::jthread loading([&] { helpers = loadHelpersLocked(); });
        TesseractEngine::setImage(*m_api, grey);
        const QList<QRect> pieces = TesseractPieces::find(*m_api, grey.size(), m_engines);
        loading.join();
        if (!pieces.isEmpty() && helpers) {
            qCDebug(lcOcr) << "page read in" << pieces.size() << "pieces by" << m_engines
                           << "engines";
            return readPieces(grey, pieces, Pieces::Blocks);
        }
    } else {
        TesseractEngine::setImage(*m_api, grey);
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

std::unique_ptr<tesseract::TessBaseAPI> TesseractRecognizer::openEngine(QString& error) const
{
    auto api = TesseractEngine::open(m_language, m_dataPath, error);
    // Keeps the runner-up of each character, for the other readings of a line.
    if (api)
        api->SetVariable("lstm_choice_mode", m_alternatives ? "2" : "0");
    return api;
}

std::unique_ptr<tesseract::TessBaseAPI> TesseractRecognizer::openHelper() const
{
    QString error; // the first engine, opened the same way, has said it
    return openEngine(error);
}

bool TesseractRecognizer::loadHelpersLocked()
{
    m_helpers.resize(size_t(m_engines - 1));
    for (auto& helper : m_helpers) {
        if (!helper)
            helper = openHelper();
        if (!helper)
            return false;
    }
    return true;
}

Recognition TesseractRecognizer::readPieces(const QImage& grey, const QList<QRect>& pieces,
                                            Pieces kind)
{
    m_helpers.resize(size_t(m_engines - 1));
    // Each piece taken by whichever engine is free next: blocks the largest first, bands (which
    // hold about as much ink each) from the top.
    std::vector<qsizetype> order(size_t(pieces.size()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = qsizetype(i);
    const auto area = [&](qsizetype i) { return qint64(pieces[i].width()) * pieces[i].height(); };
    if (kind == Pieces::Blocks)
        std::ranges::sort(order, [&](qsizetype a, qsizetype b) { return area(a) > area(b); });
    std::atomic<size_t> next = 0;

    // Blocks: the layout is found once, by the first engine; each piece is then read as one block
    // of lines from the grey page, as the whole-page reading would read that block, at the
    // resolution that reading took. Bands: each is read as a page of its own.
    const bool blocks = kind == Pieces::Blocks;
    const int resolution = blocks ? m_api->GetSourceYResolution() : 0;
    std::vector<QList<RecognizedLine>> read(size_t(pieces.size()));
    std::atomic<bool> failed = false;
    std::atomic<bool> late = false;
    const int limitMs = m_timeLimitMs;
    const auto work = [&](tesseract::TessBaseAPI& api, bool first) {
        TesseractEngine::keepOpenMpToOneThread();
        if (!first && blocks)
            TesseractEngine::setImage(api, grey);
        if (blocks) {
            api.SetSourceResolution(resolution);
            api.SetPageSegMode(tesseract::PSM_SINGLE_BLOCK);
        }
        tesseract::ETEXT_DESC monitor;
        if (limitMs > 0)
            monitor.set_deadline_msecs(limitMs);
        for (size_t n = next++; n < order.size() && !failed; n = next++) {
            const QRect& r = pieces[order[n]];
            if (blocks)
                api.SetRectangle(r.left(), r.top(), r.width(), r.height());
            else // a band as an image of its own: the engine's lines misplace a rectangle's
                TesseractEngine::setImage(api, grey, r.top(), r.height());
            if (api.Recognize(limitMs > 0 ? &monitor : nullptr) != 0 ||
                (limitMs > 0 && monitor.deadline_exceeded())) {
                late = limitMs > 0 && monitor.deadline_exceeded();
                failed = true;
                break;
            }
            read[size_t(order[n])] = TesseractLines::read(api);
        }
        api.Clear();
        api.SetPageSegMode(tesseract::PSM_AUTO);
    };
    {
        // A helper not loaded yet loads on its own thread while the others start reading; one
        // that cannot load leaves its share to them.
        std::vector<std::jthread> others;
        for (size_t e = 0; e < m_helpers.size() && e + 1 < order.size(); ++e)
            others.emplace_back([&, e] {
                std::unique_ptr<tesseract::TessBaseAPI>& helper = m_helpers[e];
                if (!helper)
                    helper = openHelper();
                if (helper)
                    work(*helper, false);
            });
        work(*m_api, true);
    }
    if (failed)
        return notRead(late, limitMs);
    Recognition result;
    for (const QList<RecognizedLine>& lines : read)
        result.lines << lines;
    return result;
}
