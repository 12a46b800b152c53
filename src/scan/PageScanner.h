// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageQuad.h"
#include "ScanFilter.h"

#include <QImage>

#include <optional>

// From a photo of a sheet of paper to the page itself: found (or given), cut out and flattened,
// straightened, turned upright and cleaned up.
class PageScanner
{
  public:
    // The largest page made: 600 dpi on A4, with room.
    static constexpr qint64 kMaxPagePixels = 40'000'000;

    struct Options
    {
        ScanFilter::Kind filter = ScanFilter::Document;
        std::optional<PageQuad> quad; // the page's corners; found in the photo when not given
        bool straighten = true;       // take out the text lines' remaining tilt
        bool turnUpright = true;      // by the direction of the text, when the reading is sure
        int quarterTurns = 0;         // clockwise, after the above (the user's own turns)
    };

    struct Result
    {
        QImage page;            // null when refused
        PageQuad quad;          // the corners used
        double confidence = 0;  // of a found page; 1 for a given quad
        bool found = false;     // false: no page found, the whole photo was kept
        int uprightTurns = 0;   // quarter turns clockwise the text's direction asked for
        double skewDegrees = 0; // the tilt taken out
        QString error;          // why nothing was made (a bad quad, an empty photo)

        [[nodiscard]] bool ok() const { return !page.isNull(); }
    };

    // upright: the photo with its EXIF orientation applied already, as Image gives it.
    [[nodiscard]] static Result scan(const QImage& upright, const Options& options);
};
