// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The scan subcommand, and the scan step that pdf --scan and ocr --scan run first.
#include "CliApp.h"

#include "common/MemoryBudget.h"
#include "scan/PageDetector.h"
#include "scan/PageScanner.h"
#include "scan/ScannedPage.h"

#include <QFileInfo>

namespace {
const QString kFilterKeys = QStringLiteral("original, grey, document or bw");

// What scanning a photo holds at once: the photo, the page and a working copy of it.
qint64 scanCost(QSize photo)
{
    return MemoryBudget::costOf(photo) * 2;
}
} // namespace

QStringList CliApp::scanDefault(const QStringList& args)
{
    QStringList out = args;
    for (QString& a : out)
        if (a == QLatin1String("--scan"))
            a = QStringLiteral("--scan=document");
    return out;
}

bool CliApp::scanPages(QList<Image>& photos, const QStringList& paths, const QString& filterKey)
{
    const auto filter = ScanFilter::fromKey(filterKey);
    if (!filter) {
        m_err << tr("The scan filter must be %1.\n").arg(kFilterKeys);
        return false;
    }
    PageScanner::Options options;
    options.filter = *filter;
    for (int i = 0; i < photos.size() && !m_job.isCancelled(); ++i) {
        const MemoryBudget::Share share(scanCost(photos[i].pixelSize()));
        const PageScanner::Result r = PageScanner::scan(photos[i].toQImage(), options);
        // The photo still goes in as it is when its page cannot be made: a note, not a failure.
        if (!r.ok())
            warn(paths.value(i), tr("kept as it is: %1").arg(r.error));
        else
            photos[i] = ScannedPage::toImage(r.page, *filter);
    }
    return true;
}

int CliApp::printCorners(const QStringList& photos)
{
    for (const QString& path : photos) {
        QString reason;
        const Image photo = loadPhoto(path, reason, true);
        if (photo.isNull()) {
            fail(path, reason);
            continue;
        }
        const MemoryBudget::Share share(MemoryBudget::costOf(photo.pixelSize()));
        const PageDetection found = PageDetector::detect(photo.toQImage());
        m_out << found.quad.toString() << ' ' << QString::number(found.confidence, 'f', 2) << '\n';
        m_out.flush();
    }
    return m_failures ? 1 : 0;
}

int CliApp::scan(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputDir));
    const QCommandLineOption filter(
        QStringLiteral("filter"), tr("original, grey, document (white paper, the default) or bw."),
        QStringLiteral("FILTER"), QStringLiteral("document"));
    const QCommandLineOption corners(
        QStringLiteral("corners"),
        tr("Print each photo's page corners (top-left, top-right, bottom-right, "
           "bottom-left) and the confidence, writing nothing."));
    const QCommandLineOption quad(
        QStringLiteral("quad"),
        tr("The page's corners, \"x1,y1 x2,y2 x3,y3 x4,y4\" from the top-left "
           "clockwise, instead of finding them."),
        QStringLiteral("QUAD"));
    parser.addOptions({filter, corners, quad});
    parser.addPositionalArgument(QStringLiteral("PHOTO"), tr("Photos of paper, a page each."),
                                 QStringLiteral("PHOTO..."));
    if (!parse(parser, args, tr("Finds the page in photos of paper, straightens and cleans it."), 1,
               -1))
        return m_helpShown ? 0 : 2;
    const QStringList& inputs = m_batch.inputs;
    if (parser.isSet(corners))
        return printCorners(inputs);
    PageScanner::Options options;
    const auto kind = ScanFilter::fromKey(parser.value(filter));
    if (!kind) {
        m_err << tr("The filter must be %1.\n").arg(kFilterKeys);
        return 2;
    }
    options.filter = *kind;
    if (parser.isSet(quad)) {
        QString why;
        options.quad = PageQuad::parse(parser.value(quad), &why);
        if (!options.quad) {
            m_err << tr("Bad --quad: %1.\n").arg(why);
            return 2;
        }
    }
    const QString dir = parser.value(kOutputDir);
    if (!makeFolder(dir))
        return 1;
    m_job.setTotal(int(inputs.size()));
    for (int i = 0; i < inputs.size() && !m_job.isCancelled(); ++i) {
        const QString& path = inputs[i];
        m_job.advance();
        QString reason;
        const Image photo = loadPhoto(path, reason, true);
        if (photo.isNull()) {
            fail(path, reason);
            continue;
        }
        const MemoryBudget::Share share(scanCost(photo.pixelSize()));
        const PageScanner::Result r = PageScanner::scan(photo.toQImage(), options);
        if (!r.ok()) {
            fail(path, options.quad ? QStringLiteral("bad --quad: %1").arg(r.error) : r.error);
            continue;
        }
        const ScannedPage::Encoded page = ScannedPage::encode(r.page, options.filter);
        const auto writer = HistoryStore::writerOf(page.bytes);
        const auto written = dir.isEmpty()
                                 ? history().write(nowSeconds() + i, page.extension, writer)
                                 : HistoryStore::writeInto(dir, QFileInfo(path).completeBaseName(),
                                                           page.extension, writer);
        if (page.bytes.isEmpty() || !written.ok()) {
            fail(path, page.bytes.isEmpty() ? QStringLiteral("the page could not be encoded")
                                            : written.error);
            continue;
        }
        if (!r.found)
            warn(path, tr("no page found; the whole photo was kept"));
        printPath(written.path);
    }
    return m_failures ? 1 : 0;
}
