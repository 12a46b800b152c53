// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The compress subcommand: photos re-encoded on every core, written in input order.
#include "CliApp.h"
#include "CliUsage.h"

#include "compress/CompressRun.h"
#include "compress/CompressWorker.h"
#include "compress/PhotoCompressor.h"
#include "compress/SizeTarget.h"
#include "image/Image.h"
#include "topdf/BufferReuse.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <cmath>
#include <vector>

CliApp::Commands CliApp::photosOnly()
{
    return {{QStringLiteral("compress"), &CliApp::compressPhotos}};
}

int CliApp::compressPhotos(const QStringList& args)
{
    return compressWith(args, nullptr);
}

int CliApp::compressWith(const QStringList& args, PdfCompress pdfs)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputDir));
    const QCommandLineOption quality(QStringLiteral("quality"),
                                     tr("JPEG quality from 0 to 1 (default 0.25)."),
                                     QStringLiteral("Q"), QStringLiteral("0.25"));
    const QCommandLineOption maxSize(
        QStringLiteral("max-size"),
        tr("Highest quality whose file fits SIZE bytes (500k, 2m), scaled down when "
           "none does."),
        QStringLiteral("SIZE"));
    const QCommandLineOption keepLocation(QStringLiteral("keep-location"),
                                          tr("Keep the photos' GPS location."));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     tr("Print the quality used beside each path."));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 tr("PDFs: scale images drawn at more than N dots per inch down "
                                    "to N."),
                                 QStringLiteral("N"));
    parser.addOptions({quality, maxSize, keepLocation, verbose, dpi});
    parser.addPositionalArgument(QStringLiteral("PHOTO"), tr("Photos (or PDFs) to compress."),
                                 QStringLiteral("PHOTO..."));
    if (!parse(parser, args, tr("Re-encodes photos as JPEG, and makes PDFs smaller."), 1, -1))
        return m_helpShown ? 0 : 2;
    PhotoCompressor::Settings settings;
    const double q = positiveNumber(parser, quality, tr("quality"), 1);
    if (q == 0)
        return 2;
    settings.quality = std::max(1, int(std::lround(q * 100)));
    settings.keepLocation = parser.isSet(keepLocation);
    if (parser.isSet(maxSize)) {
        settings.maxBytes = SizeTarget::parse(parser.value(maxSize));
        if (settings.maxBytes <= 0) {
            m_err << tr("The size must be a whole number of bytes, or with k or m (500k, 2m).\n");
            return 2;
        }
    }
    const QString dir = parser.value(kOutputDir);
    if (dir.isEmpty() && m_batch.byName()) {
        m_err << tr("--skip-existing and --overwrite need -o DIR.\n");
        return 2;
    }
    if (!makeFolder(dir))
        return 1;
    PdfShrinker::Settings pdf{settings.quality, settings.maxBytes, 0, {}, {}};
    if (parser.isSet(dpi)) {
        const double n = positiveNumber(parser, dpi, tr("dpi"), 10000);
        if (n == 0)
            return 2;
        pdf.dpi = std::max(1, int(std::lround(n)));
    }
    QStringList pdfPaths;
    for (const QString& path : m_batch.inputs)
        if (CliUsage::isPdfPath(path))
            pdfPaths.append(path);
    m_batch.inputs.removeIf(CliUsage::isPdfPath);
    // A helper starts while the first photo is looked at. The one quire-cli started is taken
    // (or let go) before the PDFs' helpers start: they must not hold its socket.
    const CompressWorker::Session helpers(m_batch.inputs.isEmpty() ? 0 : 1);
    if (pdfs)
        (this->*pdfs)(pdfPaths, pdf, dir, parser.isSet(verbose));
    else
        for (const QString& path : pdfPaths)
            fail(path, tr("PDFs are compressed by quire-cli compress"));
    // With -o, each output is named after its input; what is settled without encoding (there
    // already, or a name another input has) is settled before the photos are handed out.
    struct Item
    {
        QString path;
        QString output;
        QString clash; // the input whose output would have the same name
        bool leave = false;
    };
    std::vector<Item> items;
    for (const QString& path : m_batch.inputs) {
        Item item;
        item.path = path;
        item.output = dir.isEmpty() ? QString() : namedOutput(dir, path, QStringLiteral("jpg"));
        if (!item.output.isEmpty())
            item.clash = claim(item.output, path);
        item.leave =
            !item.clash.isEmpty() || (m_batch.skipExisting && QFileInfo::exists(item.output));
        items.push_back(item);
    }
    // Photos are encoded on every core; results are taken, written and printed in input order.
    const double limit = m_batch.timeout;
    std::vector<double> seconds(items.size());
    const auto encode = [&, late = timeoutReason()](int index) {
        PhotoCompressor::Result result;
        const Item& item = items[size_t(index)];
        if (item.leave)
            return result;
        QElapsedTimer clock;
        clock.start();
        QString reason;
        const Image photo = loadPhoto(item.path, reason);
        if (photo.isNull())
            result.error = reason;
        else
            result = CompressRun::compressOne(photo, settings);
        seconds[size_t(index)] = double(clock.nsecsElapsed()) / 1e9;
        if (limit > 0 && seconds[size_t(index)] > limit && result.ok()) {
            result.bytes.clear(); // not stopped, but not written
            result.error = late;
        }
        return result;
    };
    const BufferReuse reuse; // each photo's bitmap lands in the memory of the one before
    const qint64 verboseUnder = parser.isSet(verbose) ? settings.maxBytes : -1;
    CompressRun::run(
        int(items.size()), encode, m_job, [&](int index, const PhotoCompressor::Result& result) {
            const Item& item = items[size_t(index)];
            m_status.begin(item.path);
            m_status.setSeconds(seconds[size_t(index)]);
            compressed(item.path, item.output, item.clash, result, size_t(index), verboseUnder);
            m_status.end();
        });
    return m_failures ? 1 : 0;
}

void CliApp::compressed(const QString& path, const QString& output, const QString& clash,
                        const PhotoCompressor::Result& e, size_t index, qint64 verboseUnder)
{
    if (!clash.isEmpty()) {
        fail(path, QStringLiteral("its output %1 is also that of %2").arg(output, clash));
        return;
    }
    if (skipped(output))
        return;
    if (!e.ok()) {
        fail(path, e.error);
        return;
    }
    const auto written = output.isEmpty()
                             ? CompressRun::store(history(), nowSeconds(), int(index), e)
                             : HistoryStore::writeInto(
                                   QFileInfo(output).path(), QFileInfo(output).completeBaseName(),
                                   e.suffix, HistoryStore::writerOf(e.bytes), m_batch.taken());
    if (!written.ok()) {
        if (!skipped(output)) // another process wrote it meanwhile
            fail(path, written.error);
        return;
    }
    m_status.setPages(1);
    if (e.warnings > 0)
        warn(path, tr("written, but its JPEG data is damaged (libjpeg: %1 %2)")
                       .arg(e.warnings)
                       .arg(e.warnings == 1 ? tr("warning") : tr("warnings")));
    if (verboseUnder < 0) {
        printPath(written.path);
        return;
    }
    QString note =
        e.kept
            ? QStringLiteral("kept as it was, already under %1").arg(SizeTarget::text(verboseUnder))
            : QStringLiteral("quality %1").arg(e.quality / 100.0, 0, 'f', 2);
    if (e.scaled)
        note += QStringLiteral(", scaled to %1 x %2").arg(e.size.width()).arg(e.size.height());
    printPath(written.path, note);
}
