// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "scan/PageScanner.h"

#include <QImage>

#include <optional>

// One picked photo as the Adjust step holds it: where its page lies and how it is to come out.
struct PhotoAdjustment
{
    // The longest side of the copy that detection and the preview work on.
    static constexpr int kWorkingSide = 1200;

    Image photo;
    PageQuad quad;         // in pixels of the upright photo
    bool detected = false; // quad holds the detector's outline (or the user's), not a blank
    bool found = false;    // a page stood out, or the user drew one
    ScanFilter::Kind filter = ScanFilter::Document;
    int turns = 0;                   // the user's own quarter turns, clockwise
    std::optional<int> uprightTurns; // what the text's direction asked for, once read

    // The photo decoded small enough to work on at once, upright.
    [[nodiscard]] QImage workingCopy() const;
    // Finds the page in copy (a workingCopy()) and keeps its outline in the photo's pixels.
    void detect(const QImage& copy);
    // The corrected page made from copy, no larger than bound on its longest side.
    [[nodiscard]] PageScanner::Result preview(const QImage& copy, int bound) const;
    // The corrected page at full size, encoded as it goes on; the photo itself when no page can
    // be made of it.
    [[nodiscard]] Image corrected() const;
};
