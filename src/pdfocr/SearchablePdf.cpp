// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchablePdf.h"

#include "common/JobControl.h"

#include <algorithm>

bool SearchablePdf::make(const QString& path, const Options& options, JobControl& job)
{
    if (!m_pdf.appendPdf(path, options.reading.password)) {
        m_error = m_pdf.error();
        return false;
    }
    const QList<bool> hasText = m_pdf.pagesWithText();
    std::vector<int> toRead;
    std::vector<int> leftAlone;
    for (int i = 0; i < hasText.size(); ++i)
        (options.force || !options.layers || !hasText[i] ? toRead : leftAlone).push_back(i);
    m_texts = QStringList(hasText.size(), QString());
    if (options.ownText && !leftAlone.empty()) {
        // Counted with the pages read, so that progress runs over every page once.
        job.setTotal(std::max(job.total(), job.done() + int(hasText.size())));
        const PdfPageReader::Result own =
            PdfPageReader::ownText(path, leftAlone, options.reading.password, job);
        m_cancelled = own.cancelled;
        m_error = own.error;
        if (!own.ok())
            return false;
        for (const PdfPageReader::Page& page : own.pages)
            m_texts[page.index] = page.text;
    }
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
