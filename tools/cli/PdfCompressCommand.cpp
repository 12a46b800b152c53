// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// compress for PDFs: each made smaller on every core, one after the other, and written only when
// it did get smaller.
#include "CliApp.h"

#include "common/InputFile.h"
#include "compress/SizeTarget.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <utility>

CliApp::Commands CliApp::compressOnly()
{
    return {{QStringLiteral("compress"), &CliApp::compress}};
}

int CliApp::compress(const QStringList& args)
{
    return compressWith(args, &CliApp::compressPdfs);
}

void CliApp::compressPdfs(const QStringList& pdfs, PdfShrinker::Settings settings,
                          const QString& dir, bool verbose)
{
    // The same variable as every job that reads a protected PDF; never an argument.
    settings.password = qEnvironmentVariable("QUIRE_PDF_PASSWORD").toStdString();
    // The progress line counts a PDF's images.
    const QString unit = std::exchange(m_unit, QStringLiteral("image"));
    for (const QString& path : pdfs) {
        if (m_job.isCancelled())
            break;
        m_status.begin(path);
        QElapsedTimer clock;
        clock.start();
        shrinkPdf(path, settings, dir, verbose);
        m_status.setSeconds(double(clock.nsecsElapsed()) / 1e9);
        m_status.end();
    }
    m_unit = unit;
}

void CliApp::shrinkPdf(const QString& path, const PdfShrinker::Settings& settings,
                       const QString& dir, bool verbose)
{
    if (const QString refusal = InputFile::refusal(path); !refusal.isEmpty()) {
        fail(path, refusal);
        return;
    }
    const QString output =
        dir.isEmpty() ? QString() : namedOutput(dir, path, QStringLiteral("pdf"));
    if (!output.isEmpty()) {
        if (const QString first = claim(output, path); !first.isEmpty()) {
            fail(path, QStringLiteral("its output %1 is also that of %2").arg(output, first));
            return;
        }
        if (skipped(output))
            return;
        if (m_batch.overwrite &&
            QFileInfo(output).canonicalFilePath() == QFileInfo(path).canonicalFilePath()) {
            fail(path, QStringLiteral("its output would replace it"));
            return;
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(path, file.errorString());
        return;
    }
    const QByteArray input = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        fail(path, file.errorString());
        return;
    }
    const PdfShrinker::Result result = PdfShrinker::shrink(input, settings, &m_job);
    if (!result.ok()) {
        fail(path, result.error);
        return;
    }
    m_status.setPages(result.pages);
    if (result.smallest) {
        m_status.skip();
        warn(path, QStringLiteral("not written: already as small as it gets"));
        return;
    }
    const auto written =
        output.isEmpty()
            ? history().write(nowSeconds(), QStringLiteral("pdf"), result.bytes)
            : HistoryStore::writeInto(QFileInfo(output).path(),
                                      QFileInfo(output).completeBaseName(), QStringLiteral("pdf"),
                                      HistoryStore::writerOf(result.bytes), m_batch.taken());
    if (!written.ok()) {
        if (!skipped(output)) // another process wrote it meanwhile
            fail(path, written.error);
        return;
    }
    if (!verbose) {
        printPath(written.path);
        return;
    }
    const QString quality =
        result.quality == 100 ? QStringLiteral("images kept as they were")
                              : QStringLiteral("quality %1").arg(result.quality / 100.0, 0, 'f', 2);
    printPath(written.path, QStringLiteral("%1, %2 to %3")
                                .arg(quality, SizeTarget::text(result.inputBytes),
                                     SizeTarget::text(result.bytes.size())));
}
