// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

#include <qpdf/QPDFPageObjectHelper.hh>

#include <memory>
#include <vector>

class QPDF;

// The pages of a PDF that are one picture over the whole page and nothing else, as scanners make
// them, read from the picture itself: decoding its stream is far cheaper than drawing the page,
// and gives the scan's own samples instead of samples resampled by a fraction of a percent.
class LoneImage
{
  public:
    // Opens the file at encodedPath; one qpdf cannot open simply has no such pages.
    LoneImage(const QByteArray& encodedPath, const QByteArray& password);
    ~LoneImage();
    LoneImage(const LoneImage&) = delete;
    LoneImage& operator=(const LoneImage&) = delete;

    // Page index's picture (Grayscale8, or RGB32 for colour) and its pixels per point in scale,
    // when the page is one upright 8-bit grey or RGB picture with nothing else on it that wanted
    // pixels per point would draw at within 5 % of its own size; else a null image.
    [[nodiscard]] QImage at(int index, double wanted, double& scale);

  private:
    std::unique_ptr<QPDF> m_pdf; // null when the file does not open
    std::vector<QPDFPageObjectHelper> m_pages;
};
