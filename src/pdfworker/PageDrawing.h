// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

class QPdfDocument;

// How a PDF page becomes pixels and a PNG file; the same steps in every process that draws.
namespace pagedrawing {
// Pages larger than this many pixels at the wanted scale are drawn at a lower scale instead.
inline constexpr qint64 maxPixelsPerPage = 48'000'000;

// The pixel size of a page of points drawn at wanted pixels per point, or less for a page too
// large to hold in memory; scale receives the one used. Empty when points is not a page size.
QSize pixelsAt(QSizeF points, qreal wanted, qreal& scale);
// The pixel size of a page of points fitted within size, keeping its proportions.
QSize pixelsToFit(QSizeF points, QSize size);
// Draws page index at wanted pixels per point, or less for a page too large to hold in memory;
// scale receives the one used. Null when the page cannot be drawn.
QImage draw(QPdfDocument& document, int index, qreal wanted, qreal& scale);
// Draws page index to fit within size, keeping its proportions. Null when it cannot be drawn.
QImage drawToFit(QPdfDocument& document, int index, QSize size);
// Lays a drawn page on white; a page whose every pixel is grey comes back with one channel, as a
// grey picture (read, not drawn) comes back as it is.
QImage flattenOnWhite(QImage page);
// The PNG of a flattened page; empty when it cannot be encoded.
QByteArray encodePng(const QImage& image);
} // namespace pagedrawing
