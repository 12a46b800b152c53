// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageQuad.h"

#include <QImage>

// Where a page lies in a photo, and how sure of it the detector is (0 to 1).
struct PageDetection
{
    PageQuad quad;
    double confidence = 0;
    bool found = false; // false: no page stood out, and quad is the whole photo
};

// Finds the sheet of paper in an upright photo: the largest four-sided outline whose sides show
// a step in colour along most of their length. Works on a reduced copy of the photo.
class PageDetector
{
  public:
    // The reduced copy's longest side; a 12 MP photo is searched at 1/8 of its width.
    static constexpr int kWorkSide = 512;
    // Below this the outline is more guess than page, and the whole photo is kept.
    static constexpr double kMinConfidence = 0.6;

    [[nodiscard]] static PageDetection detect(const QImage& upright);
};
