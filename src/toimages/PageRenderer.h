#pragma once

#include "RenderOptions.h"
#include "image/Image.h"

#include <QString>

#include <vector>

class HistoryStore;
class JobControl;

// Turns every page of a PDF into a PNG file on white, upright as viewers show it. Pages are drawn
// one at a time (the PDF library allows no more); encoding and writing run alongside on a pool.
class PageRenderer
{
  public:
    struct Result
    {
        bool opened = false; // false: not a readable PDF, or it needs a password
        int pageCount = 0;
        std::vector<Image> images; // page order; each reads its PNG back on demand
        int failedPages = 0;       // pages that could not be drawn
        int unsavedPages = 0;      // drawn, but their file could not be written
        bool cancelled = false;    // stopped part way; images holds the pages done by then
        int pastTheEnd = 0;        // a page the range names beyond pageCount; then nothing is drawn

        // "The PDF has 5 pages; there is no page 8." when the range went past the end.
        [[nodiscard]] QString rangeError() const;
    };

    // Writes into the History folder and lists each file there; into folder instead when given,
    // without listing. scale is pixels per point.
    PageRenderer(HistoryStore& history, qreal scale, QString folder = {});
    PageRenderer(HistoryStore& history, RenderOptions options, QString folder = {});

    // The k-th page drawn becomes the file firstStem + k ".png". Returns when every file is
    // written, or soon after job is cancelled, with the pages finished by then. Reports each page
    // to job.
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
    qreal m_scale = 2.0;
    PageRange m_pages;
    QString m_folder;
};
