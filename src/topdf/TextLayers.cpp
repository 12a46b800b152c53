// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextLayers.h"

#include "common/JobControl.h"
#include "jobs/Cores.h"
#include "platform/qt/TesseractEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutex>

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/renderer.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace {
Q_LOGGING_CATEGORY(lcTextLayers, "quire.textlayers")
} // namespace

namespace {
// Tesseract's resolution hint; the layer is stretched over the photo, whatever its size.
constexpr int kResolution = 300;

// Stops every worker when the job is cancelled or one page has failed.
struct Halt
{
    JobControl& job;
    std::atomic<bool> failed = false;
    [[nodiscard]] bool now() const { return failed || job.isCancelled(); }
};

bool halted(void* halt, int /*words*/)
{
    return static_cast<Halt*>(halt)->now();
}

// Reads image with api and writes its words as base.pdf; an error text when that failed.
QString writeLayer(tesseract::TessBaseAPI& api, const QImage& image, const QString& base,
                   Halt& halt)
{
    const QImage grey = TesseractEngine::toGrey(image);
    TesseractEngine::setImage(api, grey);
    api.SetSourceResolution(kResolution);
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = halted;
    monitor.cancel_this = &halt;
    if (api.Recognize(&monitor) != 0 || halt.now())
        return halt.now() ? QString() : QStringLiteral("Text recognition failed");
    tesseract::TessPDFRenderer renderer(base.toLocal8Bit().constData(), api.GetDatapath(), true);
    const bool written = renderer.happy() && renderer.BeginDocument("") &&
                         renderer.AddImage(&api) && renderer.EndDocument() &&
                         QFileInfo(base + QStringLiteral(".pdf")).size() > 0;
    api.Clear();
    return written ? QString() : QStringLiteral("The text layer could not be written");
}
} // namespace

namespace TextLayers {

Result make(const QList<Image>& images, const QString& language, const QString& folder,
            JobControl& job, const QString& dataPath)
{
    Result result;
    const int n = int(images.size());
    // Counted on top of what the job has done or set out already (the pages are written after).
    job.setTotal(std::max(job.total(), job.done() + n));
    if (n == 0)
        return result;
    QDir().mkpath(folder);
    QStringList files;
    for (int i = 0; i < n; ++i)
        files << QDir(folder).filePath(QStringLiteral("layer-%1").arg(i));

    std::atomic<int> next = 0;
    Halt halt{job};
    QMutex mutex;
    QString firstError;
    auto fail = [&](const QString& error) {
        QMutexLocker lock(&mutex);
        if (firstError.isEmpty())
            firstError = error;
        halt.failed = true; // the other pages are of no use now
    };
    // Each worker keeps one engine and takes the next page until none are left.
    auto work = [&] {
        TesseractEngine::keepOpenMpToOneThread();
        QString error;
        const auto api = TesseractEngine::open(language, dataPath, error);
        if (!api) {
            fail(error);
            return;
        }
        for (int i = next++; i < n && !halt.now(); i = next++) {
            const QImage page = images[i].toQImage();
            if (page.isNull()) {
                fail(QStringLiteral("The picture of page %1 could not be read.").arg(i + 1));
                return;
            }
            if (const QString e = writeLayer(*api, page, files[i], halt); !e.isEmpty()) {
                fail(QStringLiteral("Page %1: %2.").arg(i + 1).arg(e));
                return;
            }
            if (!halt.now())
                job.advance(
                    QCoreApplication::translate("TextLayers", "Reading the text of the pages"));
        }
    };
    const int workers = std::clamp(Cores::count(), 1, n);
    std::vector<std::thread> threads;
    for (int w = 1; w < workers; ++w)
        threads.emplace_back(work);
    work();
    for (auto& t : threads)
        t.join();

    result.error = firstError;
    result.cancelled = firstError.isEmpty() && job.isCancelled();
    if (result.ok())
        for (const QString& f : files)
            result.files << f + QStringLiteral(".pdf");
    else
        qCDebug(lcTextLayers) << "text layers not made:" << result.error;
    return result;
}

} // namespace TextLayers
