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
    // A page wider than high is most often a portrait sheet shot sideways, so a quarter turn
    // needs less to go on there.
    static constexpr float kMinSidewaysConfidence = 1;
    // Below this the detector often takes a page for upside down, or the other way round (photos
    // of whole pages read 4 to 5 when it was wrong): the page is then read both ways up and the
    // way whose words the recogniser is surer of wins.
    static constexpr float kCheckedBelow = 15;

    // Quarter turns clockwise that stand the page's text upright: 0 to 3; 0 when unsure, when
    // the page has no text to go by, or when the detector's data is not installed. A landscape
    // page may be turned a quarter on weaker evidence.
    [[nodiscard]] static int quarterTurnsToUpright(const QImage& greyPage);
};
