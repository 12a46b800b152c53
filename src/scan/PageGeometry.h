// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageQuad.h"

#include <QSize>

// The shape of the flat page behind a quad seen by a camera: its real width over height,
// worked out from the perspective (a pinhole camera looking through the photo's centre).
class PageGeometry
{
  public:
    // Width over height of the page; snapped to A4 or Letter (either way up) within 2 %.
    [[nodiscard]] static double aspectRatio(const PageQuad& quad, QSize photo);
    // The corrected page's size in pixels: the ratio above at the resolution the photo gives
    // (its longest sides), held to at most maxPixels.
    [[nodiscard]] static QSize pageSize(const PageQuad& quad, QSize photo, qint64 maxPixels);
    // The ratio of a standard paper within 2 % of ratio, else ratio.
    [[nodiscard]] static double snapped(double ratio);
};
