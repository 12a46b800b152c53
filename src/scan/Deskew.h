// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// The small tilt of text lines left on a page after its outline was straightened.
class Deskew
{
  public:
    static constexpr double kMaxDegrees = 5;

    // Degrees the lines run clockwise from level (turn the page back by as much to straighten
    // it); 0 when the page has too little text to tell, or lies within a tenth of a degree.
    [[nodiscard]] static double skewDegrees(const QImage& greyPage);
};
