// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"

#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QSizeF>

// Draws a photo at a new width and height, fitted or stretched, with an area-averaging filter.
class ImageResizer
{
  public:
    // Above these the result would not fit in memory comfortably.
    static constexpr int kMaxSide = 20000;
    static constexpr qint64 kMaxPixels = Image::kMaxPixels;

    enum class Refusal
    {
        None,
        Empty,   // a side that reads as 0
        TooLarge // beyond kMaxSide or kMaxPixels
    };

    // The drawing size: the typed box itself, or with keepAspect the photo fitted inside it.
    [[nodiscard]] static QSizeF drawingSize(QSizeF original, double width, double height,
                                            bool keepAspect);
    // Whole pixels of a drawing of size (a partly covered last column or row counts).
    [[nodiscard]] static QSize pixelSize(QSizeF drawing);
    [[nodiscard]] static Refusal check(QSizeF drawing);
    // The photo drawn to fill pixelSize(drawing) exactly, at scale 1; null when refused or the
    // photo does not decode.
    [[nodiscard]] static QImage draw(const Image& photo, QSizeF drawing);
    [[nodiscard]] static QImage draw(const QImage& pixels, QSizeF drawing);
    // Writes result as PNG, with light compression: a photo's PNG is large whatever the level,
    // and the highest levels cost several times the time for a few percent.
    static bool writePng(const QImage& result, QIODevice& out, QString& error);
    // As JPEG at a high quality, transparent parts on white, for a file the user named .jpg.
    static bool writeJpeg(const QImage& result, QIODevice& out, QString& error);
    // "png" or "jpeg" for an output file name by its suffix ("png" without one); empty for any
    // other suffix.
    [[nodiscard]] static QString formatForName(const QString& fileName);
};
