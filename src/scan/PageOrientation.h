// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Which way up a page's text reads, by Tesseract's orientation detection.
class PageOrientation
{
  public:
    // Below this the detector is guessing, and a page turned the wrong way is worse than one left
    // as it was. Pages of small print photographed whole read about 4 when it is right; a blank
    // or nearly blank page stays under 1.
    static constexpr float kMinConfidence = 3;

    // Quarter turns clockwise that stand the page's text upright: 0 to 3; 0 when unsure, when
    // the page has no text to go by, or when the detector's data is not installed.
    [[nodiscard]] static int quarterTurnsToUpright(const QImage& greyPage);
};
