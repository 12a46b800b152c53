// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class JobControl;

// Reads the text on pages of a PDF: each page is drawn at 300 dpi in the PDF helpers and read by
// text recognition on every core, one engine per thread, while the next pages are drawn.
class PdfPageReader
{
  public:
    struct Options
    {
        QString language = QStringLiteral("eng"); // engine codes joined by '+'
        QString dataPath;                         // the engine's language folder; empty: default
        QByteArray password;                      // opens a protected PDF
        QString layerFolder; // when set, each page's words also become layer-N.pdf there
    };
    struct Page
    {
        int index = 0; // from 0
        QString text;
        QString layer; // the invisible text layer's PDF, with a layer folder
    };
    struct Result
    {
        std::vector<Page> pages; // in the order asked for, when all went well
        QString error;           // why not; empty when cancelled
        bool cancelled = false;
        [[nodiscard]] bool ok() const { return error.isEmpty() && !cancelled; }
    };

    static constexpr int kDpi = 300;

    // Reads pages (from 0) of the PDF at path, reporting a page at a time to job.
    static Result read(const QString& path, const std::vector<int>& pages, const Options& options,
                       JobControl& job);
    // The text pages (from 0) show of their own, without recognition, a page at a time to job.
    static Result ownText(const QString& path, const std::vector<int>& pages,
                          const QByteArray& password, JobControl& job);
};
