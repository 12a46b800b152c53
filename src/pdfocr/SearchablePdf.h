// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PdfPageReader.h"
#include "pdfedit/PdfOrganizer.h"

#include <QStringList>
#include <QTemporaryDir>

class JobControl;

// Makes an existing PDF searchable: pages without text of their own are read by text
// recognition and get an invisible text layer over their unchanged content. Or, without layers,
// just reads the text of the pages. The input is only read; the result is written from pdf().
class SearchablePdf
{
  public:
    struct Options
    {
        PdfPageReader::Options reading;
        bool force = false;   // pages with text are read and layered too
        bool layers = true;   // false: only the text is wanted
        bool ownText = false; // pages left alone give the text they show
    };

    // Opens the PDF at path and reads the pages to read. False with error() (or cancelled())
    // when it cannot be opened or a page cannot be read.
    bool make(const QString& path, const Options& options, JobControl& job);

    // The result, for writing; valid after make() succeeded, and while this lives.
    [[nodiscard]] const PdfOrganizer& pdf() const { return m_pdf; }
    // Each page's recognised text; for pages left alone, their own text with ownText, else empty.
    [[nodiscard]] QStringList texts() const { return m_texts; }
    [[nodiscard]] int readPages() const { return m_read; }
    [[nodiscard]] int skippedPages() const { return int(m_texts.size()) - m_read; }
    [[nodiscard]] QString error() const { return m_error; }
    [[nodiscard]] bool cancelled() const { return m_cancelled; }

  private:
    PdfOrganizer m_pdf;
    QTemporaryDir m_layers; // read from until the result is written
    QStringList m_texts;
    int m_read = 0;
    QString m_error;
    bool m_cancelled = false;
};
