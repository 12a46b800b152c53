// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/PageRange.h"
#include "image/Image.h"

#include <QString>

#include <vector>

class HistoryStore;
class JobControl;

// Turns the chosen pages of a PDF (every page by default) into PNG files on white, upright as
// viewers show it. Pages are drawn side by side in helper processes, one per core, so a page that
// hangs or crashes the PDF library costs that page only.
class PageRenderer
{
  public:
    // How pages are drawn and where they go.
    struct Options
    {
        qreal scale = 2.0; // pixels per point
        QString folder;    // empty: the History folder, each file listed there
        PageRange pages;   // every page by default
        // With a folder: each page is named baseName-0001.png by its number, not by stem.
        QString baseName;
        QByteArray password; // opens a protected PDF
        // With baseName, a page whose file is there already: a free variant, kept, or replaced.
        enum class Existing
        {
            NextFree,
            Keep,
            Replace
        } existing = Existing::NextFree;

        // A resolution in dots per inch as pixels per point (a point is 1/72 inch).
        static constexpr qreal scaleForDpi(qreal dpi) { return dpi / 72.0; }
    };
    // A page that could not be drawn, and why.
    struct Failure
    {
        int page = 0; // from 0
        QString reason;
    };
    struct Result
    {
        bool opened = false; // false: not a readable PDF, or it needs a password
        QString openError;   // when not opened for another reason (it took too long, ...)
        int pageCount = 0;
        std::vector<Image> images; // in the order chosen; each reads its PNG back on demand
        int failedPages = 0;       // pages that could not be drawn; failures says which and why
        std::vector<Failure> failures;
        int unsavedPages = 0;      // drawn, but their file could not be written (nor kept)
        QString unsavedReason;     // the system's reason for the last of those
        bool cancelled = false;    // stopped part way; images holds the pages done by then
        int pastTheEnd = 0;        // a page the range names beyond pageCount; then nothing is drawn
        std::vector<QString> kept; // files of pages already there, not drawn again

        // "The PDF has 5 pages; there is no page 8." when the range went past the end.
        [[nodiscard]] QString rangeError() const;
    };

    PageRenderer(HistoryStore& history, Options options);
    PageRenderer(HistoryStore& history, qreal scale, QString folder = {});

    // The k-th page drawn becomes the file firstStem + k ".png". Returns when every file is
    // written, or soon after job is cancelled, with the pages finished by then. Reports each page
    // to job.
    Result render(const QString& pdfPath, qint64 firstStem, JobControl& job);

    // baseName-0001.png for page 1 of count (more digits past 9999 pages).
    [[nodiscard]] static QString pageName(const QString& baseName, int page, int count);

    // The renderer's scale on this display: its device pixel ratio, never below 2.
    [[nodiscard]] static qreal displayScale();
    // Pages larger than this many pixels at the scale are drawn at a lower scale instead.
    static constexpr qint64 maxPixelsPerPage = 48'000'000;

    // The app logs "Error" for a document or page it cannot draw; callers that report
    // failures their own way turn that off.
    void setConsoleErrors(bool on) { m_consoleErrors = on; }

  private:
    HistoryStore& m_history;
    bool m_consoleErrors = true;
    Options m_options;
};
