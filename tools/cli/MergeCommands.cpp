// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The merge and split subcommands: PDFs and photos joined into one PDF, a PDF cut into several.
#include "CliApp.h"

#include "common/InputFile.h"
#include "common/PageRange.h"
#include "pdfedit/PdfOrganizer.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {
// By content, as readers tell: the header may come anywhere in the first kilobyte.
bool isPdf(const QString& path)
{
    return InputFile::read(path, nullptr, 1024).contains("%PDF-");
}
} // namespace

int CliApp::merge(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputFile));
    parser.addOption(protectOption());
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 tr("PDFs and photos, in the order their pages go."),
                                 QStringLiteral("PDF|PHOTO..."));
    if (!parse(parser, args,
               tr("Joins PDFs and photos (a page each) into one PDF; the first PDF's outline, "
                  "forms and details are kept."),
               1, -1))
        return m_helpShown ? 0 : 2;
    const QString output = parser.value(kOutputFile);
    if (const QString suffix = QFileInfo(output).suffix();
        !suffix.isEmpty() && suffix.compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        m_err << tr("A PDF is written as .pdf, not %1.\n").arg(suffix);
        return 2;
    }
    QByteArray newPassword;
    if (parser.isSet(QStringLiteral("protect")) && !protectingPassword(newPassword))
        return 2;
    const QString target = withExtension(output, QStringLiteral("pdf"));
    const bool there = m_batch.skipExisting && QFileInfo::exists(target);
    // All or nothing: a merged PDF with a part missing would pass for the whole.
    const QStringList& inputs = m_batch.inputs;
    QStringList reasons;
    PdfOrganizer pdf;
    QList<Image> photos; // in a row, made into pages together
    const auto addPhotos = [&] {
        if (!photos.isEmpty() && !pdf.appendPhotos(photos) && !reasons.isEmpty())
            reasons.last() = pdf.error();
        photos.clear();
    };
    for (const QString& path : there ? QStringList() : inputs) {
        QString why = InputFile::refusal(path);
        if (why.isEmpty() && isPdf(path)) {
            addPhotos();
            QByteArray password;
            why = readingPassword(path, password);
            if (why.isEmpty() && !pdf.appendPdf(path, password))
                why = pdf.error();
        } else if (why.isEmpty()) {
            const Image photo = loadPhoto(path, why, true);
            if (!photo.isNull())
                photos.append(photo);
        }
        reasons << why;
    }
    addPhotos();
    HistoryStore::Written written;
    if (std::ranges::any_of(reasons, [](const QString& r) { return !r.isEmpty(); }))
        written.error = QStringLiteral("nothing was written, as another input failed");
    else if (!there)
        written = writePdf(pdf, output, newPassword);
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        m_status.begin(inputs[i]);
        if (there)
            skipped(target);
        else if (!reasons.value(i).isEmpty())
            fail(inputs[i], reasons[i]);
        else if (!written.ok())
            fail(inputs[i], written.error);
        else
            m_status.addOutput(absolutePath(written.path));
        m_status.end();
    }
    if (!there && written.ok())
        printPath(written.path);
    return m_failures ? 1 : 0;
}

int CliApp::split(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputDir));
    const QCommandLineOption pages(
        QStringLiteral("pages"),
        tr("Ranges split at the commas, e.g. 1-3,4-9: a PDF for each (default: for each page)."),
        QStringLiteral("RANGES"));
    parser.addOptions({pages, protectOption()});
    parser.addPositionalArgument(QStringLiteral("PDF"), tr("The PDF to split."),
                                 QStringLiteral("PDF"));
    if (!parse(parser, args, tr("Writes parts of a PDF as PDFs of their own."), 1, 1))
        return m_helpShown ? 0 : 2;
    QList<std::pair<QString, PageRange>> parts; // as written, and as read
    for (const QString& text : parser.value(pages).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString part = text.simplified().remove(QLatin1Char(' '));
        QString why;
        const auto range = PageRange::parse(part, &why);
        if (!range) {
            m_err << tr("Bad page range: %1\n").arg(why);
            return 2;
        }
        parts.append({part, *range});
    }
    QByteArray newPassword;
    if (parser.isSet(QStringLiteral("protect")) && !protectingPassword(newPassword))
        return 2;
    const QString dir = parser.value(kOutputDir);
    if (!makeFolder(dir))
        return 1;
    for (const QString& input : m_batch.inputs) { // one, or none from an empty list
        m_status.begin(input);
        QByteArray password;
        QString why = InputFile::refusal(input);
        if (why.isEmpty())
            why = readingPassword(input, password);
        PdfOrganizer whole;
        if (why.isEmpty() && !whole.appendPdf(input, password))
            why = whole.error();
        const int count = whole.pageCount();
        if (why.isEmpty() && parts.isEmpty())
            for (int page = 1; page <= count; ++page)
                if (const auto one = PageRange::parse(QString::number(page)))
                    parts.append({QString::number(page), *one});
        for (const auto& [part, range] : std::as_const(parts))
            if (why.isEmpty() && range.lastPage() > count)
                why = QStringLiteral("The PDF has %1 pages; there is no page %2.")
                          .arg(count)
                          .arg(range.lastPage());
        // Every range is checked before the first part is written.
        for (const auto& [part, range] : std::as_const(parts)) {
            if (!why.isEmpty() || m_job.isCancelled())
                break;
            PdfOrganizer piece;
            piece.appendPdf(input, password);
            piece.keep(range.indices(count));
            const QString name = QFileInfo(input).completeBaseName() + '-' + part + ".pdf";
            const QString output = dir.isEmpty() ? QString() : QDir(dir).filePath(name);
            if (skipped(output))
                continue;
            const HistoryStore::Written written = writePdf(piece, output, newPassword);
            if (written.ok())
                printPath(written.path);
            why = written.error;
        }
        if (!why.isEmpty())
            fail(input, why);
        m_status.setPages(count);
        m_status.end();
    }
    return m_failures ? 1 : 0;
}
