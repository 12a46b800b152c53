// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPageReader.h"

#include "InkShapes.h"
#include "LeftOutText.h"
#include "PageText.h"
#include "TextLayerPdf.h"

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
#include <mutex>
#include <thread>

namespace {
Q_LOGGING_CATEGORY(lcPdfPageReader, "quire.pdfpagereader")

// The pages drawn and not yet read, shared by the drawing loop and the reading threads.
struct Queue
{
    explicit Queue(JobControl& j) : job(j) {}
    JobControl& job;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<PageFarm::Page> drawn;
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

// Reads one drawn page with api into page; an error text when that failed.
QString readPage(tesseract::TessBaseAPI& api, const PageFarm::Page& drawn, const QString& folder,
                 Queue& queue, PdfPageReader::Page& page)
{
    const QImage grey = TesseractEngine::toGrey(QImage::fromData(drawn.png, "PNG"));
    if (grey.isNull())
        return QStringLiteral("its picture could not be read");
    api.SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
    api.SetSourceResolution(std::max(1, qRound(72 * drawn.scale)));
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = cancelled;
    monitor.cancel_this = &queue;
    if (api.Recognize(&monitor) != 0 || queue.halted())
        return queue.halted() ? QString() : QStringLiteral("text recognition failed");
    PageText words = PageText::read(api);
    const QList<InkShapes::Ink> marks = InkShapes::marks(grey);
    LeftOutText::add(api, marks, grey.size(), words);
    InkShapes::mend(words, marks);
    page.text = words.plain();
    if (!folder.isEmpty()) {
        page.layer = QDir(folder).filePath(QStringLiteral("layer-%1.pdf").arg(drawn.index));
        const QString font =
            QDir(QString::fromLocal8Bit(api.GetDatapath())).filePath(QStringLiteral("pdf.ttf"));
        QString error;
        if (!TextLayerPdf::write(words, grey.size(), 72 * drawn.scale, font, page.layer, error)) {
            qCWarning(lcPdfPageReader) << "text layer not written:" << error;
            return QStringLiteral("its text layer could not be written");
        }
    }
    api.Clear();
    return {};
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
                lock, [&] { return !queue.drawn.empty() || queue.allDrawn || queue.halted(); });
            if (queue.drawn.empty() || queue.halted())
                return;
            const PageFarm::Page drawn = std::move(queue.drawn.front());
            queue.drawn.pop_front();
            queue.changed.notify_all(); // room for more pages
            lock.unlock();
            Page page{drawn.index, {}, {}};
            if (const QString e = readPage(*api, drawn, options.layerFolder, queue, page);
                !e.isEmpty()) {
                queue.fail(QStringLiteral("page %1: %2").arg(drawn.index + 1).arg(e));
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

    // Pages are drawn a few at a time, so that drawn pages do not pile up while being read.
    const auto chunk = 2 * size_t(readers);
    for (size_t from = 0; from < pages.size() && !queue.halted(); from += chunk) {
        {
            std::unique_lock lock(queue.mutex);
            queue.changed.wait(lock,
                               [&] { return queue.drawn.size() <= chunk / 2 || queue.halted(); });
        }
        const std::vector<int> some(pages.begin() + qsizetype(from),
                                    pages.begin() +
                                        qsizetype(std::min(pages.size(), from + chunk)));
        farm.draw(some, PdfPageReader::kDpi / 72.0, [&](PageFarm::Page drawn) {
            if (!drawn.error.isEmpty()) {
                queue.fail(QStringLiteral("page %1: %2").arg(drawn.index + 1).arg(drawn.error));
                return;
            }
            const std::scoped_lock lock(queue.mutex);
            queue.drawn.push_back(std::move(drawn));
            queue.changed.notify_one();
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
