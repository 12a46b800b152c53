// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QImage>
#include <QPolygonF>
#include <QString>

// Camera-like photo files for tests and benchmarks: JPEGs with an EXIF capture time and
// orientation, written as a camera would.
namespace photofixtures {
// A gradient picture with a red block in its top-left corner, to tell which way is up.
QImage picture(int width, int height, QColor tint = QColor(40, 120, 200));
// A photo of a sheet of printed paper lying on a dark table, its corners at page (from the
// top-left, clockwise) in pixels of the frame.
QImage paperOnTable(QSize frame, const QPolygonF& page);
// Writes image as JPEG; taken (when valid) becomes DateTimeOriginal, orientation 2..8 the EXIF
// orientation. The folder is made when missing.
bool writePhoto(const QString& path, const QImage& image, const QDateTime& taken = {},
                int orientation = 1, int quality = 85);
// EXIF as TIFF: IFD0 with the orientation and, when taken is valid, an Exif IFD holding
// DateTimeOriginal (big-endian).
QByteArray exifTiff(const QDateTime& taken, int orientation);
// jpeg with an EXIF block (capture time and orientation) put in right after its start.
QByteArray withExif(const QByteArray& jpeg, const QDateTime& taken, int orientation = 1);
// Sets the file's modification time.
bool touch(const QString& path, const QDateTime& when);
} // namespace photofixtures
