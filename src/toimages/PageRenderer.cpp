#include "PageRenderer.h"

#include "history/HistoryStore.h"
#include "jobs/JobControl.h"

#include <QBuffer>
#include <QDir>
#include <QFuture>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPdfDocument>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>

namespace {
void printError(bool enabled)
{
    if (enabled)
        std::fprintf(stderr, "Error\n");
}

// One drawn page on its way to a file.
struct Encoded
{
    QByteArray png;
    HistoryStore::Written written;
    qreal scale = 1.0;
    int page = 0;
};

QString pageLabel(int index, int count)
{
    return QStringLiteral("page %1/%2").arg(index + 1).arg(count);
}

// Draws page index at wanted pixels per point, or less for a page too large to hold in memory;
// scale receives the one used. Null when the page cannot be drawn.
QImage drawPage(QPdfDocument& document, int index, qreal wanted, qreal& scale)
{
    const QSizeF points = document.pagePointSize(index); // rotated and cropped as viewers show it
    if (!(points.width() > 0 && points.height() > 0))
        return {};
    const qreal area = points.width() * points.height();
    scale = std::min(wanted, std::sqrt(qreal(PageRenderer::maxPixelsPerPage) / area));
    const QSize pixels = (points * scale).toSize().expandedTo(QSize(1, 1));
    QPdfDocumentRenderOptions options;
    options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
    return document.render(index, pixels, options);
}

// Pages come out on a transparent background: lays them on white. A page whose every pixel is
// grey (most text) keeps one channel, which encodes about three times faster and smaller.
QImage flattenOnWhite(QImage page)
{
    page.convertTo(QImage::Format_ARGB32_Premultiplied);
    bool grey = true;
    for (int y = 0; y < page.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(page.scanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            // Over white, a premultiplied channel c of alpha a becomes c + 255 - a.
            const quint32 p = line[x];
            const quint32 q = (p + (255 - (p >> 24)) * 0x010101u) | 0xff000000u;
            line[x] = q;
            grey &= (((q >> 8) ^ q) & 0xffff) == 0;
        }
    }
    page.reinterpretAsFormat(QImage::Format_RGB32);
    if (!grey)
        return page;
    QImage out(page.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < page.height(); ++y) {
        const auto* in = reinterpret_cast<const quint32*>(page.constScanLine(y));
        uchar* line = out.scanLine(y);
        for (int x = 0; x < page.width(); ++x)
            line[x] = uchar(in[x]);
    }
    return out;
}

QByteArray encodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // A light zlib level: on pages of text a third faster than the default, at much the same size.
    writer.setQuality(70);
    return writer.write(image) ? bytes : QByteArray();
}

Encoded encodeAndWrite(QImage page, qreal scale, int index, qint64 stem, HistoryStore* history,
                       const QString& folder)
{
    Encoded e;
    e.scale = scale;
    e.page = index;
    e.png = encodePng(flattenOnWhite(std::move(page)));
    if (e.png.isEmpty())
        return e;
    e.written = history->writeInto(folder, QString::number(stem), QStringLiteral("png"),
                                   HistoryStore::writerOf(e.png));
    return e;
}
} // namespace

PageRenderer::PageRenderer(HistoryStore& history, qreal scale, QString folder)
    : m_history(history), m_scale(scale > 0 ? scale : 2.0), m_folder(std::move(folder))
{
}

PageRenderer::PageRenderer(HistoryStore& history, RenderOptions options, QString folder)
    : PageRenderer(history, options.scale, std::move(folder))
{
    m_pages = std::move(options.pages);
}

QString PageRenderer::Result::rangeError() const
{
    if (pastTheEnd <= pageCount)
        return {};
    return QStringLiteral("The PDF has %1 %2; there is no page %3.")
        .arg(pageCount)
        .arg(pageCount == 1 ? QStringLiteral("page") : QStringLiteral("pages"))
        .arg(pastTheEnd);
}

qreal PageRenderer::displayScale()
{
    // A command-line run has no QGuiApplication, and no display to match.
    const auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return std::max<qreal>(app ? app->devicePixelRatio() : 1.0, 2.0);
}

PageRenderer::Result PageRenderer::render(const QString& pdfPath, qint64 firstStem, JobControl& job)
{
    Result result;
    QPdfDocument document;
    if (document.load(pdfPath) != QPdfDocument::Error::None) {
        printError(m_consoleErrors);
        return result;
    }
    result.opened = true;
    result.pageCount = document.pageCount();
    if (m_pages.lastPage() > result.pageCount) {
        result.pastTheEnd = m_pages.lastPage();
        return result;
    }
    const QList<int> chosen = m_pages.indices(result.pageCount);
    job.setTotal(int(chosen.size()));
    const bool listing = m_folder.isEmpty();
    const QString folder = listing ? m_history.historyPath() : m_folder;
    if (listing && !chosen.isEmpty())
        QDir().mkpath(folder); // it may have gone since the first launch

    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    std::deque<QFuture<Encoded>> pending;
    // Taken strictly in page order, so that the history lists the last page first.
    auto settleFront = [&] {
        const Encoded e = pending.front().result();
        pending.pop_front();
        if (e.png.isEmpty()) {
            ++result.failedPages;
        } else if (e.written.ok()) {
            if (listing)
                m_history.prepend(e.written.url());
            result.images.push_back(Image::fromFile(e.written.path, e.scale));
        } else {
            // Still there to save or share from the gallery, just not in the history.
            ++result.unsavedPages;
            result.images.push_back(Image::fromData(e.png, e.scale));
        }
        job.advance(pageLabel(e.page, result.pageCount));
    };
    // A few drawn pages may wait for the encoders; more would only cost memory.
    const size_t window = size_t(pool.maxThreadCount()) + 1;
    for (qsizetype k = 0; k < chosen.size(); ++k) {
        const int i = chosen[k];
        if (job.isCancelled()) {
            result.cancelled = true;
            break;
        }
        qreal scale = m_scale;
        QImage page = drawPage(document, i, m_scale, scale);
        if (page.isNull()) {
            printError(m_consoleErrors);
            ++result.failedPages;
            job.advance(pageLabel(i, result.pageCount));
            continue;
        }
        while (!pending.empty() && (pending.size() >= window || pending.front().isFinished()))
            settleFront();
        pending.push_back(QtConcurrent::run(&pool, encodeAndWrite, std::move(page), scale, i,
                                            firstStem + k, &m_history, folder));
    }
    while (!pending.empty())
        settleFront();
    return result;
}
