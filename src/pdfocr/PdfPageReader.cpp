// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPageReader.h"

#include "BandedPage.h"

#include "common/JobControl.h"
#include "jobs/Cores.h"
#include "pdfworker/PageFarm.h"
#include "platform/qt/TesseractEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLoggingCategory>

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {
Q_LOGGING_CATEGORY(lcPdfPageReader, "quire.pdfpagereader")

// One band of a drawn page, to be read.
struct Piece
{
    std::shared_ptr<BandedPage> page;
    qsizetype band = 0;
};

// The pieces drawn and not yet read, shared by the drawing loop and the reading threads.
struct Queue
{
    explicit Queue(JobControl& j) : job(j) {}
    JobControl& job;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Piece> pieces;
    bool allDrawn = false;
    std::atomic<bool> failed = false;
    QString error;

    [[nodiscard]] bool halted() const { return failed || job.isCancelled(); }
    void fail(const QString& why)
    {
        const std::scoped_lock lock(mutex);
        if (error.isEmpty())
            error = why;
        failed = true;
        changed.notify_all();
    }
};

bool cancelled(void* queue, int /*words*/)
{
    return static_cast<Queue*>(queue)->halted();
}

} // namespace

PdfPageReader::Result PdfPageReader::read(const QString& path, const std::vector<int>& pages,
                                          const Options& options, JobControl& job)
{
    Result result;
    const int n = int(pages.size());
    job.setTotal(std::max(job.total(), job.done() + n));
    if (n == 0)
        return result;
    PageFarm farm(path, job, options.password);
    QString why;
    if (farm.open(why) < 0) {
        result.error = why.isEmpty() ? QStringLiteral("not a readable PDF") : why;
        result.cancelled = job.isCancelled();
        return result;
    }
    // The largest page the helpers draw (PageRenderer::maxPixelsPerPage) at four bytes a pixel.
    QImageReader::setAllocationLimit(std::max(QImageReader::allocationLimit(), 256));
    std::map<int, Page> done;
    Queue queue(job);
    auto work = [&] {
        TesseractEngine::keepOpenMpToOneThread();
        QString error;
        const auto api = TesseractEngine::open(options.language, options.dataPath, error);
        if (!api) {
            queue.fail(error);
            return;
        }
        for (;;) {
            std::unique_lock lock(queue.mutex);
            queue.changed.wait(
                lock, [&] { return !queue.pieces.empty() || queue.allDrawn || queue.halted(); });
            if (queue.pieces.empty() || queue.halted())
                return;
            const Piece piece = std::move(queue.pieces.front());
            queue.pieces.pop_front();
            queue.changed.notify_all(); // room for more pages
            lock.unlock();
            tesseract::ETEXT_DESC monitor;
            monitor.cancel = cancelled;
            monitor.cancel_this = &queue;
            if (!piece.page->readBand(*api, piece.band, monitor) || queue.halted()) {
                if (!queue.halted())
                    queue.fail(QStringLiteral("page %1: text recognition failed")
                                   .arg(piece.page->index() + 1));
                return;
            }
            if (!piece.page->bandDone())
                continue;
            Page page{piece.page->index(), {}, {}};
            if (!options.layerFolder.isEmpty())
                page.layer = QDir(options.layerFolder)
                                 .filePath(QStringLiteral("layer-%1.pdf").arg(page.index));
            if (const QString e = piece.page->finish(*api, page.layer, page.text); !e.isEmpty()) {
                queue.fail(QStringLiteral("page %1: %2").arg(page.index + 1).arg(e));
                return;
            }
            if (queue.halted())
                return;
            lock.lock();
            done[page.index] = std::move(page);
            lock.unlock();
            job.advance(QCoreApplication::translate("PdfPageReader", "Reading the pages' text"));
        }
    };
    const int readers = std::clamp(Cores::count(), 1, n);
    std::vector<std::thread> threads;
    threads.reserve(size_t(readers));
    for (int r = 0; r < readers; ++r)
        threads.emplace_back(work);

    // Pages are drawn a few at a time, so that drawn pages do not pile up while being read. Each
    // is cut into bands, four for every reader, so that no reader waits while a last page is read.
    const auto chunk = 2 * size_t(readers);
    const int bands = 4 * readers;
    for (size_t from = 0; from < pages.size() && !queue.halted(); from += chunk) {
        {
            std::unique_lock lock(queue.mutex);
            queue.changed.wait(lock, [&] {
                return queue.pieces.size() <= chunk / 2 * size_t(bands) || queue.halted();
            });
        }
        const std::vector<int> some(pages.begin() + qsizetype(from),
                                    pages.begin() +
                                        qsizetype(std::min(pages.size(), from + chunk)));
        farm.drawGrey(some, PdfPageReader::kDpi / 72.0, [&](const PageFarm::Page& drawn) {
            if (!drawn.error.isEmpty()) {
                queue.fail(QStringLiteral("page %1: %2").arg(drawn.index + 1).arg(drawn.error));
                return;
            }
            const QImage& grey = drawn.grey;
            if (grey.isNull()) {
                queue.fail(
                    QStringLiteral("page %1: its picture could not be read").arg(drawn.index + 1));
                return;
            }
            const auto page = std::make_shared<BandedPage>(
                drawn.index, std::max(1, qRound(72 * drawn.scale)), grey, bands);
            const std::scoped_lock lock(queue.mutex);
            for (qsizetype b = 0; b < page->bands(); ++b)
                queue.pieces.push_back({page, b});
            queue.changed.notify_all();
        });
    }
    {
        const std::scoped_lock lock(queue.mutex);
        queue.allDrawn = true;
        queue.changed.notify_all();
    }
    for (auto& t : threads)
        t.join();

    result.error = queue.error;
    result.cancelled = queue.error.isEmpty() && job.isCancelled();
    if (result.ok())
        for (const int index : pages)
            result.pages.push_back(done[index]);
    else
        qCDebug(lcPdfPageReader) << "pages not read:" << result.error;
    return result;
}

PdfPageReader::Result PdfPageReader::ownText(const QString& path, const std::vector<int>& pages,
                                             const QByteArray& password, JobControl& job)
{
    Result result;
    job.setTotal(std::max(job.total(), job.done() + int(pages.size())));
    if (pages.empty())
        return result;
    PageFarm farm(path, job, password);
    QString why;
    if (farm.open(why) < 0) {
        result.error = why.isEmpty() ? QStringLiteral("not a readable PDF") : why;
        result.cancelled = job.isCancelled();
        return result;
    }
    std::map<int, Page> done;
    farm.readText(pages, [&](const PageFarm::Page& page) {
        if (!page.error.isEmpty() && result.error.isEmpty())
            result.error = QStringLiteral("page %1: %2").arg(page.index + 1).arg(page.error);
        done[page.index] = Page{page.index, QString::fromUtf8(page.png), {}};
        job.advance(QCoreApplication::translate("PdfPageReader", "Reading the pages' text"));
    });
    result.cancelled = result.error.isEmpty() && job.isCancelled();
    if (result.ok())
        for (const int index : pages)
            result.pages.push_back(done[index]);
    return result;
}
