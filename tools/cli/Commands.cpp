// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands: each reads its inputs in the order given and hands them to the job code.
#include "CliApp.h"
#include "InputDeadline.h"

#include "common/LocalPath.h"
#include "image/Image.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "resize/ImageResizer.h"
#include "scan/ScanFilter.h"
#include "topdf/PageSetup.h"
#include "topdf/PdfWriter.h"
#include "topdf/TextLayers.h"

#include "common/JobControl.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <cmath>

// Writes to -o's exact file when given (its free variant if taken), else T.ext in History.
QString CliApp::withExtension(const QString& output, const QString& extension)
{
    if (output.isEmpty() || !QFileInfo(output).suffix().isEmpty())
        return output;
    return output + QLatin1Char('.') + extension;
}

static HistoryStore::Written writeOutput(HistoryStore& history, qint64 stem, const QString& output,
                                         const QString& extension, const HistoryStore::Writer& w,
                                         HistoryStore::Taken taken)
{
    if (output.isEmpty())
        return history.write(stem, extension, w);
    const QFileInfo info(output);
    // A missing folder is made, parents included (errors come from the write).
    (void)LocalPath::makeFolders(info.absolutePath());
    const QString ext = info.suffix().isEmpty() ? extension : info.suffix();
    return HistoryStore::writeInto(info.absolutePath(), info.completeBaseName(), ext, w, taken);
}

int CliApp::pdf(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputFile));
    const QCommandLineOption pageSize(
        QStringLiteral("page-size"),
        tr("photo (each page the photo's size, the default), a4 or letter."),
        QStringLiteral("SIZE"), QStringLiteral("photo"));
    const QCommandLineOption margin(
        QStringLiteral("margin"),
        tr("Space around the photo on a4 or letter paper (default 10mm)."),
        QStringLiteral("LENGTH"), QStringLiteral("10mm"));
    const QCommandLineOption searchable(
        QStringLiteral("searchable"),
        tr("Add an invisible layer of the recognised text, to search and copy."));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  tr("Languages of the text, e.g. eng or eng+deu."),
                                  QStringLiteral("LANG"), QStringLiteral("eng"));
    const QCommandLineOption scan(
        QStringLiteral("scan"),
        tr("Photos of paper: find each page, straighten and clean it first, through "
           "FILTER (original, grey, document (the default) or bw)."),
        QStringLiteral("FILTER"));
    parser.addOptions({pageSize, margin, searchable, lang, scan, protectOption()});
    parser.addPositionalArgument(QStringLiteral("PHOTO"), tr("Photos, one page each."),
                                 QStringLiteral("PHOTO..."));
    if (!parse(parser, scanDefault(args), tr("Makes one PDF with a page per photo."), 1, -1))
        return m_helpShown ? 0 : 2;
    if (parser.isSet(scan) && !ScanFilter::fromKey(parser.value(scan))) {
        m_err << tr("The scan filter must be original, grey, document or bw.\n");
        return 2;
    }
    PdfWriter::Options options;
    const auto paper = PageSetup::fromKey(parser.value(pageSize));
    const auto marginMm = PageSetup::parseMarginMm(parser.value(margin));
    if (!paper) {
        m_err << tr("The page size must be photo, a4 or letter.\n");
        return 2;
    }
    options.setup = {*paper, marginMm.value_or(-1)};
    if (!marginMm || !options.setup.marginFits()) {
        m_err << tr("The margin must be a length such as 10mm, 0.5in or 0, and leave room for the "
                    "photo.\n");
        return 2;
    }
    if (parser.isSet(QStringLiteral("protect")) && !protectingPassword(options.password))
        return 2;
    const QString output = parser.value(kOutputFile);
    if (const QString suffix = QFileInfo(output).suffix();
        !suffix.isEmpty() && suffix.compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        m_err << tr("A PDF is written as .pdf, not %1.\n").arg(suffix);
        return 2;
    }
    if (output.isEmpty() && m_batch.byName()) {
        m_err << tr("--skip-existing and --overwrite need -o FILE.\n");
        return 2;
    }
    // One PDF from all the inputs: each input's status line tells whether it is in it.
    QElapsedTimer clock;
    clock.start();
    const QStringList& inputs = m_batch.inputs;
    QStringList reasons;
    HistoryStore::Written written;
    const QString target = withExtension(output, QStringLiteral("pdf"));
    const bool there = m_batch.skipExisting && QFileInfo::exists(target);
    if (!there) {
        QList<Image> pages;
        QStringList paths;
        for (const QString& path : inputs) {
            QString reason;
            Image image = loadPhoto(path, reason, true);
            reasons << reason;
            if (!image.isNull()) {
                pages.append(image);
                paths.append(path);
            }
        }
        if (parser.isSet(scan))
            scanPages(pages, paths, parser.value(scan));
        InputDeadline deadline(m_job, m_batch.timeout, m_progress);
        written = makePdf(pages, options, parser.isSet(searchable) ? parser.value(lang) : QString(),
                          output, deadline.job());
        if (deadline.timedOut())
            written.error = timeoutReason();
    }
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        m_status.begin(inputs[i]);
        m_status.setSeconds(double(clock.nsecsElapsed()) / 1e9 / double(inputs.size()));
        if (there) {
            skipped(target);
        } else if (!reasons[i].isEmpty()) {
            fail(inputs[i], reasons[i]);
        } else if (!written.ok()) {
            m_status.fail(written.error);
        } else {
            m_status.addOutput(absolutePath(written.path));
            m_status.setPages(1);
        }
        m_status.end();
    }
    if (!there && written.ok())
        printPath(written.path);
    return m_failures || (!there && !written.ok()) ? 1 : 0;
}

HistoryStore::Written CliApp::makePdf(const QList<Image>& pages, PdfWriter::Options options,
                                      const QString& searchableIn, const QString& output,
                                      JobControl& job)
{
    HistoryStore::Written written;
    if (pages.isEmpty()) {
        written.error = QStringLiteral("no photo could be read");
        return written;
    }
    const QTemporaryDir layers;
    if (!searchableIn.isEmpty()) {
        job.beginStage(int(pages.size())); // the pages are read, then written
        const TextLayers::Result read = TextLayers::make(pages, searchableIn, layers.path(), job);
        if (read.cancelled || !read.ok()) {
            written.error = read.cancelled ? QStringLiteral("interrupted") : read.error;
            if (!read.cancelled)
                fail(QStringLiteral("--searchable"), read.error);
            return written; // nothing was written
        }
        options.overlays = read.files;
        job.beginStage(int(pages.size()));
    }
    written = writeOutput(history(), nowSeconds(), output, QStringLiteral("pdf"),
                          PdfWriter::writer(pages, &job, options), m_batch.taken());
    if (job.isCancelled()) {
        written.error = QStringLiteral("interrupted"); // nothing was written
    } else if (!written.ok()) {
        fail(output.isEmpty() ? history().historyPath() : output, written.error);
    }
    return written;
}

int CliApp::resize(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputFile));
    const QCommandLineOption width(QStringLiteral("width"),
                                   tr("Width in pixels (default: in proportion)."),
                                   QStringLiteral("W"));
    const QCommandLineOption height(QStringLiteral("height"),
                                    tr("Height in pixels (default: in proportion)."),
                                    QStringLiteral("H"));
    const QCommandLineOption stretch(QStringLiteral("stretch"),
                                     tr("Stretch to exactly W x H instead of fitting."));
    parser.addOptions({width, height, stretch});
    parser.addPositionalArgument(QStringLiteral("PHOTO"), tr("The photos to resize."),
                                 QStringLiteral("PHOTO..."));
    if (!parse(parser, args,
               tr("Resizes photos to PNG images (JPEG when -o ends in .jpg); with "
                  "several, -o names a folder."),
               1, -1))
        return m_helpShown ? 0 : 2;
    Resize size;
    bool wOk = true;
    bool hOk = true;
    size.width = parser.isSet(width) ? parser.value(width).toLongLong(&wOk) : 0;
    size.height = parser.isSet(height) ? parser.value(height).toLongLong(&hOk) : 0;
    // Range-checked before any arithmetic: a 64-bit width must not overflow a later cast.
    const auto bad = [](const QCommandLineParser& p, const QCommandLineOption& o, bool ok,
                        qint64 v) {
        return p.isSet(o) && (!ok || v <= 0 || v > ImageResizer::kMaxSide);
    };
    if ((!parser.isSet(width) && !parser.isSet(height)) || bad(parser, width, wOk, size.width) ||
        bad(parser, height, hOk, size.height)) {
        m_err << tr("Give --width or --height (or both) as whole numbers from 1 to %1.\n")
                     .arg(ImageResizer::kMaxSide);
        return 2;
    }
    size.fit = !parser.isSet(stretch);
    // -o names a folder when it is one, ends with a slash, or there are several photos.
    const QString output = parser.value(kOutputFile);
    const bool intoFolder =
        !output.isEmpty() && (m_batch.inputs.size() > 1 || m_batch.listed ||
                              output.endsWith(QLatin1Char('/')) || QFileInfo(output).isDir());
    if (output.isEmpty() && m_batch.byName()) {
        m_err << tr("--skip-existing and --overwrite need -o.\n");
        return 2;
    }
    size.format = ImageResizer::formatForName(intoFolder ? QString() : output);
    if (size.format.isEmpty()) {
        m_err << tr("Resized images are written as .png or .jpg, not %1.\n")
                     .arg(QFileInfo(output).suffix());
        return 2;
    }
    if (intoFolder && !makeFolder(output))
        return 1;
    for (const QString& path : m_batch.inputs) {
        if (m_job.isCancelled())
            break;
        m_status.begin(path);
        const QString target = intoFolder ? namedOutput(output, path, size.format)
                                          : withExtension(output, QStringLiteral("png"));
        if (!settled(target, path))
            resizeOne(path, target, size);
        m_status.end();
    }
    return m_failures ? 1 : 0;
}

void CliApp::resizeOne(const QString& path, const QString& output, const Resize& size)
{
    QElapsedTimer clock;
    clock.start();
    QString reason;
    const Image photo = loadPhoto(path, reason);
    if (photo.isNull()) {
        fail(path, reason);
        return;
    }
    const QSizeF original = photo.size();
    // The other side in step, as the app's fields keep it; a side under a pixel is one pixel:
    // 40 wide from 256 x 1 is 40 x 1.
    qint64 w = size.width;
    qint64 h = size.height;
    if (h == 0)
        h = std::max<qint64>(1, qint64(original.height() * (double(w) / original.width())));
    if (w == 0)
        w = std::max<qint64>(1, qint64(original.width() * (double(h) / original.height())));
    const QSizeF drawing = ImageResizer::drawingSize(original, double(w), double(h), size.fit);
    if (ImageResizer::check(drawing) != ImageResizer::Refusal::None) {
        fail(path, QStringLiteral("no image can be made at %1 x %2").arg(w).arg(h));
        return;
    }
    const QImage result = ImageResizer::draw(photo, drawing);
    if (m_job.isCancelled()) {
        m_status.fail(QStringLiteral("interrupted"));
        return;
    }
    if (result.isNull()) {
        fail(path, kUnreadable);
        return;
    }
    if (m_batch.timeout > 0 && double(clock.nsecsElapsed()) / 1e9 > m_batch.timeout) {
        fail(path, timeoutReason()); // not stopped, but not written
        return;
    }
    const auto written = writeOutput(
        history(), nowSeconds(), output, QStringLiteral("png"),
        [&result, &size](QIODevice& out, QString& e) {
            return size.format == QLatin1String("png") ? ImageResizer::writePng(result, out, e)
                                                       : ImageResizer::writeJpeg(result, out, e);
        },
        m_batch.taken());
    if (!written.ok()) {
        if (!skipped(output)) // another process wrote it meanwhile
            fail(path, written.error);
        return;
    }
    m_status.setPages(1);
    printPath(written.path);
}
