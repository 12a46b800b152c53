// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The rotate and delete subcommands, and how every subcommand that edits a PDF writes it.
#include "CliApp.h"

#include "common/InputFile.h"
#include "common/LocalPath.h"
#include "common/PageRange.h"
#include "pdfedit/PdfOrganizer.h"

#include <QFileInfo>

namespace {
// Why range cannot be taken from a PDF of count pages; empty when it can.
QString pastTheEnd(const PageRange& range, int count)
{
    if (range.lastPage() <= count)
        return {};
    return QStringLiteral("The PDF has %1 %2; there is no page %3.")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("page") : QStringLiteral("pages"))
        .arg(range.lastPage());
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo x(a);
    const QFileInfo y(b);
    return x.exists() && y.exists() && x.canonicalFilePath() == y.canonicalFilePath();
}
} // namespace

int CliApp::rotate(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputFile));
    const QCommandLineOption pages(QStringLiteral("pages"),
                                   tr("Pages to turn, e.g. 2 or 1-3,8 (default all)."),
                                   QStringLiteral("RANGE"));
    const QCommandLineOption by(QStringLiteral("by"), tr("Degrees clockwise: 90, 180 or 270."),
                                QStringLiteral("DEGREES"));
    parser.addOptions({pages, by, protectOption()});
    parser.addPositionalArgument(QStringLiteral("PDF"), tr("The PDF whose pages to turn."),
                                 QStringLiteral("PDF"));
    if (!parse(parser, args, tr("Writes a copy of a PDF with pages turned."), 1, 1))
        return m_helpShown ? 0 : 2;
    bool ok = false;
    const int degrees = parser.value(by).toInt(&ok);
    if (!ok || (degrees != 90 && degrees != 180 && degrees != 270 && degrees != -90)) {
        m_err << tr("--by must be 90, 180 or 270 (degrees clockwise).\n");
        return 2;
    }
    QString why;
    const auto range = PageRange::parse(parser.value(pages), &why);
    if (!range) {
        m_err << tr("Bad page range: %1\n").arg(why);
        return 2;
    }
    return editPdf(parser.value(kOutputFile), parser.isSet(QStringLiteral("protect")),
                   [range, degrees](PdfOrganizer& pdf, QString& reason) {
                       reason = pastTheEnd(*range, pdf.pageCount());
                       if (reason.isEmpty())
                           pdf.rotate(range->indices(pdf.pageCount()), degrees);
                       return reason.isEmpty();
                   });
}

int CliApp::remove(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputFile));
    const QCommandLineOption pages(QStringLiteral("pages"), tr("Pages to delete, e.g. 5,7 or 2-4."),
                                   QStringLiteral("RANGE"));
    parser.addOptions({pages, protectOption()});
    parser.addPositionalArgument(QStringLiteral("PDF"), tr("The PDF to take pages out of."),
                                 QStringLiteral("PDF"));
    if (!parse(parser, args, tr("Writes a copy of a PDF without the pages given."), 1, 1))
        return m_helpShown ? 0 : 2;
    QString why;
    const auto range = PageRange::parse(parser.value(pages), &why);
    if (!range || range->isAll()) {
        m_err << tr("Bad page range: %1\n").arg(range ? tr("no pages given.") : why);
        return 2;
    }
    return editPdf(parser.value(kOutputFile), parser.isSet(QStringLiteral("protect")),
                   [range](PdfOrganizer& pdf, QString& reason) {
                       const int count = pdf.pageCount();
                       const QList<int> gone = range->indices(count);
                       reason = pastTheEnd(*range, count);
                       if (reason.isEmpty() && gone.size() == count)
                           reason = QStringLiteral("would have no pages left");
                       if (reason.isEmpty())
                           pdf.remove(gone);
                       return reason.isEmpty();
                   });
}

int CliApp::editPdf(const QString& output, bool protect,
                    const std::function<bool(PdfOrganizer&, QString&)>& edit)
{
    if (const QString suffix = QFileInfo(output).suffix();
        !suffix.isEmpty() && suffix.compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        m_err << tr("A PDF is written as .pdf, not %1.\n").arg(suffix);
        return 2;
    }
    QByteArray newPassword;
    if (protect && !protectingPassword(newPassword))
        return 2;
    for (const QString& input : m_batch.inputs) { // one, or none from an empty list
        m_status.begin(input);
        QByteArray password;
        QString why = InputFile::refusal(input);
        if (why.isEmpty())
            why = readingPassword(input, password);
        PdfOrganizer pdf;
        HistoryStore::Written written;
        if (!skipped(withExtension(output, QStringLiteral("pdf")))) {
            if (why.isEmpty() && !pdf.appendPdf(input, password))
                why = pdf.error();
            if (why.isEmpty() && edit(pdf, why))
                written = writePdf(pdf, output, newPassword);
            if (why.isEmpty())
                why = written.error;
            if (!why.isEmpty()) {
                fail(input, why);
            } else {
                m_status.setPages(pdf.pageCount());
                printPath(written.path);
            }
        }
        m_status.end();
    }
    return m_failures ? 1 : 0;
}

HistoryStore::Written CliApp::writePdf(const PdfOrganizer& pdf, const QString& output,
                                       const QByteArray& password)
{
    if (output.isEmpty())
        return history().write(nowSeconds(), QStringLiteral("pdf"), pdf.writer(password));
    const QString target = withExtension(output, QStringLiteral("pdf"));
    for (const QString& input : m_batch.inputs)
        if (m_batch.overwrite && sameFile(target, input))
            return {
                {},
                QStringLiteral("its output %1 is an input, which is never replaced").arg(target)};
    const QFileInfo info(target);
    (void)LocalPath::makeFolders(info.absolutePath()); // a missing folder is made
    return HistoryStore::writeInto(info.absolutePath(), info.completeBaseName(), info.suffix(),
                                   pdf.writer(password), m_batch.taken());
}
