// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageText.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

#include <atomic>
#include <vector>

namespace tesseract {
class TessBaseAPI;
class ETEXT_DESC;
} // namespace tesseract

// A drawn page cut across into bands, each read on its own by whichever engine is free, so that
// the engines share the last pages of a document as well as the first; the page's text is put
// together once its last band is read.
class BandedPage
{
  public:
    // grey: the page drawn at dpi; cut into up to bands bands.
    BandedPage(int index, int dpi, QImage grey, int bands);

    [[nodiscard]] int index() const { return m_index; }
    [[nodiscard]] qsizetype bands() const { return m_bands.size(); }
    // Reads band with api (its layout found as a page's own); false when the engine failed or
    // monitor stopped it.
    bool readBand(tesseract::TessBaseAPI& api, qsizetype band, tesseract::ETEXT_DESC& monitor);
    // Counts a band read, by any engine; true for the page's last, which may be finished.
    [[nodiscard]] bool bandDone();
    // The bands' text, with what the layouts left out, and the page's text layer written to
    // layerPdf unless that is empty; an error text when the layer was not written.
    QString finish(tesseract::TessBaseAPI& api, const QString& layerPdf, QString& text) const;

  private:
    int m_index = 0;
    int m_dpi = 0;
    QImage m_grey;
    QList<QRect> m_bands;
    std::vector<PageText> m_read;  // by band; each band written by the one engine reading it
    std::atomic<qsizetype> m_left; // bands not read yet
};
