// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <qpdf/QPDF.hh>

#include <map>

// How large each image is drawn, read from the pages' content streams (and the forms they draw),
// to bring images down to a resolution.
class ImagePlacement
{
  public:
    // For each image that may be scaled to dpi, the factor (below 1) that does it. An image is
    // left out unless every reference to it is in a resource dictionary whose content was read
    // (one also used as a soft mask, in a pattern or an annotation is not scaled), and it is
    // drawn at least once, everywhere at more than dpi.
    [[nodiscard]] static std::map<QPDFObjGen, double> scales(QPDF& pdf, int dpi);
};
