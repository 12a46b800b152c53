// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// ocr on PDFs: their pages' text printed, or a searchable copy written.
#include "CliApp.h"

#include "common/InputFile.h"
#include "pdfocr/SearchablePdf.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

bool CliApp::isPdfName(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
}

void CliApp::readPdf(const QString& path, const QString& language, const QString& output)
{
    QByteArray password;
    QString why = InputFile::refusal(path);
    if (why.isEmpty())
        why = readingPassword(path, password);
    if (!why.isEmpty()) {
        fail(path, why);
        return;
    }
    SearchablePdf pdf;
    SearchablePdf::Options options;
    options.layers = false;
    options.reading.language = language;
    options.reading.password = password;
    const QString unit = std::exchange(m_unit, QStringLiteral("page"));
    const bool made = pdf.make(path, options, m_job);
    m_unit = unit;
    if (!made) {
        if (!pdf.cancelled())
            fail(path, pdf.error());
        return;
    }
    m_status.setPages(pdf.readPages());
    putText(path, pdf.texts().join(QLatin1Char('\f')), output);
}

int CliApp::searchablePdf(const QString& language, const QString& output, bool force, bool protect)
{
    if (m_batch.inputs.size() > 1 || !std::ranges::all_of(m_batch.inputs, isPdfName)) {
        m_err << tr("--searchable, --force and --protect take one PDF.\n");
        return 2;
    }
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
        SearchablePdf::Options options;
        options.force = force;
        options.reading.language = language;
        QString why = InputFile::refusal(input);
        if (why.isEmpty())
            why = readingPassword(input, options.reading.password);
        SearchablePdf pdf;
        m_unit = QStringLiteral("page");
        if (!skipped(withExtension(output, QStringLiteral("pdf")))) {
            if (why.isEmpty() && !pdf.make(input, options, m_job))
                why = pdf.cancelled() ? QString() : pdf.error();
            HistoryStore::Written written;
            if (why.isEmpty() && !pdf.cancelled())
                written = writePdf(pdf.pdf(), output, newPassword);
            if (why.isEmpty())
                why = written.error;
            if (!why.isEmpty()) {
                fail(input, why);
            } else if (!pdf.cancelled()) {
                m_status.setPages(pdf.pdf().pageCount());
                printPath(written.path);
            }
        }
        m_status.end();
    }
    return m_failures ? 1 : 0;
}
