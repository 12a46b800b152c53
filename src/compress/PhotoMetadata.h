// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSize>

// A photo's EXIF block ("Exif\0\0" and its TIFF data, as an APP1 segment holds it): what a
// compressed or resized copy keeps of it, and how it goes into a JPEG.
class PhotoMetadata
{
  public:
    // The EXIF block of a JPEG file's bytes; empty when it has none.
    [[nodiscard]] static QByteArray exifOf(const QByteArray& jpeg);
    // The EXIF orientation 1..8 (1 when absent or unreadable).
    [[nodiscard]] static int orientation(const QByteArray& exif);
    // When the photo was taken (DateTimeOriginal, else DateTime), in the camera's local time.
    [[nodiscard]] static QDateTime captureTime(const QByteArray& exif);
    // The block for a copy whose pixels stand upright at size: capture date, camera and exposure
    // kept; orientation 1; no thumbnail or maker note; the GPS tags only with keepLocation.
    // Empty when exif is. An invalid size keeps the orientation and sizes as they are, for a
    // copy of the stored pixels themselves.
    [[nodiscard]] static QByteArray forCopy(const QByteArray& exif, QSize size, bool keepLocation);
    // jpeg with exif put in as an APP1 segment after its start (and any JFIF header).
    [[nodiscard]] static QByteArray withExif(const QByteArray& jpeg, const QByteArray& exif);
    // jpeg with every APP1 segment before its image data (EXIF, and XMP, which can hold a
    // location too) replaced by exif; its image data stays byte for byte.
    [[nodiscard]] static QByteArray replacingExif(const QByteArray& jpeg, const QByteArray& exif);
};
