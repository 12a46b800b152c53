// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchablePdf.h"

#include "common/JobControl.h"

bool SearchablePdf::make(const QString& path, const Options& options, JobControl& job)
{
    if (!m_pdf.appendPdf(path, options.reading.password)) {
        m_error = m_pdf.error();
        return false;
    }
    const QList<bool> hasText = m_pdf.pagesWithText();
    std::vector<int> toRead;
    for (int i = 0; i < hasText.size(); ++i)
        if (options.force || !options.layers || !hasText[i])
            toRead.push_back(i);
    m_texts = QStringList(hasText.size(), QString());
    if (toRead.empty())
        return true;

    PdfPageReader::Options reading = options.reading;
    reading.layerFolder.clear();
    if (options.layers) {
        if (!m_layers.isValid()) {
            m_error = QStringLiteral("no temporary folder: %1").arg(m_layers.errorString());
            return false;
        }
        reading.layerFolder = m_layers.path();
    }
    const PdfPageReader::Result result = PdfPageReader::read(path, toRead, reading, job);
    m_cancelled = result.cancelled;
    m_error = result.error;
    if (!result.ok())
        return false;
    for (const PdfPageReader::Page& page : result.pages) {
        m_texts[page.index] = page.text;
        if (options.layers && !m_pdf.overlay(page.index, page.layer)) {
            m_error = m_pdf.error();
            return false;
        }
    }
    m_read = int(result.pages.size());
    return true;
}
