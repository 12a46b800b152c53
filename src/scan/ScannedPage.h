// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScanFilter.h"
#include "image/Image.h"

#include <QByteArray>
#include <QImage>

// A corrected page as it is stored: JPEG for pages of tones, PNG for black and white (where
// JPEG would blur the edges of every letter), measured in points as paper of its shape would be.
class ScannedPage
{
  public:
    // High enough that small print keeps clean edges; Document pages are mostly flat white,
    // which costs JPEG little.
    static constexpr int kJpegQuality = 90;

    struct Encoded
    {
        QByteArray bytes;
        QString extension; // "jpg" or "png"
    };
    [[nodiscard]] static Encoded encode(const QImage& page, ScanFilter::Kind filter);
    // The encoded page with its size in points, ready for the PDF writer (which embeds its JPEG
    // bytes as they are).
    [[nodiscard]] static Image toImage(const QImage& page, ScanFilter::Kind filter);
    // Pixels per point: the long side as long as A4's, or Letter's for a page of that shape.
    [[nodiscard]] static qreal pixelsPerPoint(QSize pixels);
};
