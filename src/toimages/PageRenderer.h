#pragma once

#include "image/Image.h"

#include <QString>

#include <vector>

class HistoryStore;
class JobControl;

// Turns every page of a PDF into a PNG file on white, upright as viewers show it. Pages are drawn
// side by side in helper processes, one per core, so a page that hangs or crashes the PDF library
// costs that page only.
class PageRenderer
{
  public:
    // How pages are drawn and where they go.
    struct Options
    {
        qreal scale = 2.0; // pixels per point
        QString folder;    // empty: the History folder, each file listed there
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
        std::vector<Image> images; // page order; each reads its PNG back on demand
        int failedPages = 0;       // pages that could not be drawn; failures says which and why
        std::vector<Failure> failures;
        int unsavedPages = 0;   // drawn, but their file could not be written (nor kept)
        QString unsavedReason;  // the system's reason for the last of those
        bool cancelled = false; // stopped part way; images holds the pages done by then
    };

    PageRenderer(HistoryStore& history, Options options);
    PageRenderer(HistoryStore& history, qreal scale, QString folder = {});

    // Page i becomes the file firstStem + i ".png". Returns when every file is written, or soon
    // after job is cancelled, with the pages finished by then. Reports each page to job.
    Result render(const QString& pdfPath, qint64 firstStem, JobControl& job);

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
