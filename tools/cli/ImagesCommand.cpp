// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The images subcommand: every page of a PDF to PNG files.
#include "CliApp.h"
#include "InputDeadline.h"

#include "common/InputFile.h"
#include "common/JobControl.h"
#include "toimages/PageRenderer.h"

#include <QFileInfo>

int CliApp::images(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputDir));
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   tr("Pixels per point (default 2, i.e. 144 dpi)."),
                                   QStringLiteral("S"), QStringLiteral("2"));
    const QCommandLineOption dpi(QStringLiteral("dpi"),
                                 tr("Resolution in dots per inch (instead of --scale)."),
                                 QStringLiteral("N"));
    const QCommandLineOption pages(QStringLiteral("pages"),
                                   tr("Pages to convert, e.g. 1-3,8 (default all)."),
                                   QStringLiteral("RANGE"));
    parser.addOptions({scale, dpi, pages});
    parser.addPositionalArgument(QStringLiteral("PDF"), tr("The PDFs to convert."),
                                 QStringLiteral("PDF..."));
    if (!parse(parser, args, tr("Renders the pages of PDFs to PNG images."), 1, -1))
        return m_helpShown ? 0 : 2;
    PageRenderer::Options options;
    options.scale = parser.isSet(dpi) ? PageRenderer::Options::scaleForDpi(
                                            positiveNumber(parser, dpi, tr("resolution"), 1200))
                                      : positiveNumber(parser, scale, tr("scale"), 16);
    if (options.scale <= 0)
        return 2;
    if (parser.isSet(pages)) {
        QString why;
        const auto range = PageRange::parse(parser.value(pages), &why);
        if (!range || range->isAll()) {
            m_err << tr("Bad page range: %1\n").arg(range ? tr("no pages given.") : why);
            return 2;
        }
        options.pages = *range;
    }
    const QString dir = parser.value(kOutputDir);
    if (dir.isEmpty() && m_batch.byName()) {
        m_err << tr("--skip-existing and --overwrite need -o DIR.\n");
        return 2;
    }
    if (!makeFolder(dir))
        return 1;
    options.folder = dir.isEmpty() ? QString() : QFileInfo(dir).absoluteFilePath();
    options.existing = m_batch.skipExisting ? PageRenderer::Options::Existing::Keep
                       : m_batch.overwrite  ? PageRenderer::Options::Existing::Replace
                                            : PageRenderer::Options::Existing::NextFree;
    m_unit = QStringLiteral("page");
    for (const QString& pdfPath : m_batch.inputs) {
        if (m_job.isCancelled())
            break;
        m_status.begin(pdfPath);
        convert(pdfPath, options);
        m_status.end();
    }
    return m_failures ? 1 : 0;
}

void CliApp::convert(const QString& pdfPath, PageRenderer::Options options)
{
    // A pipe or device would block the PDF reader; a folder is no PDF.
    if (const QString refusal = InputFile::refusal(pdfPath); !refusal.isEmpty()) {
        fail(pdfPath, refusal);
        return;
    }
    if (const QString locked = readingPassword(pdfPath, options.password); !locked.isEmpty()) {
        fail(pdfPath, locked);
        return;
    }
    if (!options.folder.isEmpty()) {
        // Named after the PDF (its pages numbered), so that a second run knows its own files.
        const QString name = QFileInfo(pdfPath).completeBaseName();
        if (const QString first = claim(options.folder + '/' + name, pdfPath); !first.isEmpty()) {
            fail(pdfPath, QStringLiteral("its pages' names are those of %1").arg(first));
            return;
        }
        options.baseName = name;
    }
    PageRenderer renderer(history(), options);
    renderer.setConsoleErrors(false);
    InputDeadline deadline(m_job, m_batch.timeout, m_progress);
    const PageRenderer::Result result = renderer.render(pdfPath, nowSeconds(), deadline.job());
    for (const QString& kept : result.kept)
        m_status.addOutput(absolutePath(kept));
    for (const Image& page : result.images)
        if (!page.sourcePath().isEmpty())
            printPath(page.sourcePath());
    m_status.setPages(int(result.kept.size() + result.images.size()));
    if (deadline.timedOut()) {
        fail(pdfPath, timeoutReason());
        return;
    }
    if (m_job.isCancelled()) {
        if (result.cancelled || !result.opened) // else every page was done all the same
            m_status.fail(QStringLiteral("interrupted"));
        return;
    }
    if (!result.opened) {
        fail(pdfPath, result.openError.isEmpty()
                          ? QStringLiteral("not a readable PDF (or it needs a password)")
                          : QStringLiteral("could not be opened: %1").arg(result.openError));
        return;
    }
    if (result.pageCount == 0) {
        fail(pdfPath, QStringLiteral("has no pages"));
        return;
    }
    if (!result.rangeError().isEmpty()) {
        fail(pdfPath, result.rangeError());
        return;
    }
    for (const PageRenderer::Failure& f : result.failures)
        fail(pdfPath, QStringLiteral("page %1: %2").arg(f.page + 1).arg(f.reason));
    if (result.failedPages > 0)
        fail(pdfPath, QStringLiteral("%1 of %2 pages could not be converted")
                          .arg(result.failedPages)
                          .arg(result.pageCount));
    if (result.unsavedPages > 0)
        fail(pdfPath, QStringLiteral("%1 of %2 pages could not be written: %3")
                          .arg(result.unsavedPages)
                          .arg(result.pageCount)
                          .arg(result.unsavedReason));
    if (result.images.empty() && !result.kept.empty() && result.failures.empty())
        m_status.skip(); // every page was there already
}
