// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Photo files in the formats besides JPEG and PNG that phones and scanners write, for tests.
namespace photofixtures {
// Writes image (as stored) with orientation 1, 3, 6 or 8 saying how to turn it upright, as the
// file format records it: HEIF's own rotation, TIFF's orientation tag, WebP's EXIF chunk.
// The folder must exist.
bool writeHeic(const QString& path, const QImage& image, int orientation = 1);
bool writeTiff(const QString& path, const QImage& image, int orientation = 1);
bool writeWebp(const QString& path, const QImage& image, int orientation = 1);
// upright stored turned a quarter back, with orientation 6, as phone.heic, scan.tif and web.webp
// in folder (made when missing); returns their paths, or nothing when one could not be written.
QStringList writeSidewaysInEachFormat(const QString& folder, const QImage& upright);
} // namespace photofixtures
