// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageRenderer.h"

#include "common/JobControl.h"
#include "history/HistoryStore.h"
#include "pdfworker/PageDrawing.h"
#include "pdfworker/PageFarm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSemaphore>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <map>

static_assert(PageRenderer::maxPixelsPerPage == pagedrawing::maxPixelsPerPage);

namespace {
constexpr int kPagesWaiting = 4; // drawn pages held for the writer at most

void printError(bool enabled)
{
    if (enabled)
        std::fprintf(stderr, "Error\n");
}
} // namespace

PageRenderer::PageRenderer(HistoryStore& history, Options options)
    : m_history(history), m_options(std::move(options))
{
    if (!(m_options.scale > 0))
        m_options.scale = 2.0;
}

PageRenderer::PageRenderer(HistoryStore& history, qreal scale, QString folder)
    : PageRenderer(history, [&] {
          Options options;
          options.scale = scale;
          options.folder = std::move(folder);
          return options;
      }())
{
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

QString PageRenderer::pageName(const QString& baseName, int page, int count)
{
    const int digits = std::max(4, int(QString::number(count).size()));
    return QStringLiteral("%1-%2").arg(baseName).arg(page, digits, 10, QLatin1Char('0'));
}

PageRenderer::Result PageRenderer::render(const QString& pdfPath, qint64 firstStem, JobControl& job)
{
    Result result;
    PageFarm farm(pdfPath, job, m_options.password);
    const int count = farm.open(result.openError);
    if (count < 0 && job.isCancelled()) {
        // Stopped while the document was opening: a cancel, not a document that cannot be read.
        result.openError.clear();
        result.cancelled = true;
        return result;
    }
    if (count < 0) {
        printError(m_consoleErrors);
        return result;
    }
    result.opened = true;
    result.pageCount = count;
    if (m_options.pages.lastPage() > count) {
        result.pastTheEnd = m_options.pages.lastPage();
        return result;
    }
    QList<int> chosen = m_options.pages.indices(count);
    const bool listing = m_options.folder.isEmpty();
    const QString folder = listing ? m_history.historyPath() : m_options.folder;
    const bool named = !listing && !m_options.baseName.isEmpty();
    const auto nameOf = [&](int page) { return pageName(m_options.baseName, page + 1, count); };
    const auto pathOf = [&](int page) {
        return folder + QLatin1Char('/') + nameOf(page) + QStringLiteral(".png");
    };
    if (named && m_options.existing == Options::Existing::Keep) {
        // Files appear whole or not at all, so one that is there is a page finished before.
        chosen.removeIf([&](int page) {
            const bool there = QFileInfo::exists(pathOf(page));
            if (there)
                result.kept.push_back(pathOf(page));
            return there;
        });
    }
    const int total = int(chosen.size());
    job.setTotal(total);
    HistoryStore::Taken taken = HistoryStore::Taken::NextFree;
    if (named && m_options.existing == Options::Existing::Keep)
        taken = HistoryStore::Taken::Keep;
    else if (named && m_options.existing == Options::Existing::Replace)
        taken = HistoryStore::Taken::Replace;
    if (listing && total > 0)
        QDir().mkpath(folder); // it may have gone since the first launch

    // Pages come back in any order, but are written and listed in the order chosen, so that the
    // history lists the last page first.
    std::map<int, int> position; // page index to its place in chosen
    for (int k = 0; k < total; ++k)
        position.emplace(chosen[k], k);
    std::map<int, PageFarm::Page> early; // by place
    int next = 0;
    auto take = [&](int k, const PageFarm::Page& page) {
        if (!page.error.isEmpty()) {
            printError(m_consoleErrors);
            ++result.failedPages;
            result.failures.push_back({page.index, page.error});
        } else {
            const auto written = HistoryStore::writeInto(
                folder, named ? nameOf(page.index) : QString::number(firstStem + k),
                QStringLiteral("png"), HistoryStore::writerOf(page.png), taken);
            if (written.ok()) {
                if (listing)
                    m_history.prepend(written.url());
                result.images.push_back(Image::fromFile(written.path, page.scale));
            } else if (taken == HistoryStore::Taken::Keep &&
                       QFileInfo::exists(pathOf(page.index))) {
                result.kept.push_back(pathOf(page.index)); // another run wrote it meanwhile
            } else {
                // Not held in memory either: a full disk must not fill the memory instead.
                ++result.unsavedPages;
                result.unsavedReason = written.error;
            }
        }
        job.advance(QCoreApplication::translate("PageRenderer", "page %1/%2")
                        .arg(page.index + 1)
                        .arg(count));
    };
    // Files are written and synced on a thread of their own, in order, so that this thread's
    // event loop hands each worker its next page at once: a sync takes as long as a drawing.
    // Past a few pages waiting for the disk, the drawing waits instead of the memory filling.
    QSemaphore room(kPagesWaiting); // before the writer, whose tasks release it to the end
    QThreadPool writer;
    writer.setMaxThreadCount(1);
    farm.draw(std::vector<int>(chosen.begin(), chosen.end()), m_options.scale,
              [&](PageFarm::Page page) {
                  early.emplace(position.at(page.index), std::move(page));
                  for (auto it = early.begin(); it != early.end() && it->first == next;
                       it = early.erase(it), ++next) {
                      room.acquire();
                      writer.start([&, k = next, drawn = std::move(it->second)] {
                          take(k, drawn);
                          room.release();
                      });
                  }
              });
    writer.waitForDone();
    result.cancelled = next < total;
    return result;
}
