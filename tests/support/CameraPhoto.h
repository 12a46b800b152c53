// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>

// JPEGs as cameras write them (an EXIF block made with libexif, chosen chroma sampling), and
// what a written file's EXIF block says.
namespace camera {
struct Tags
{
    QDateTime taken;
    int orientation = 1;
    bool gps = false;
};

// stored (the pixels as the sensor saw them) as JPEG with luma sampling h × v (1 or 2; chroma 1)
// and, unless tags is default, an EXIF block: date, make "Quire", model "Test Cam", orientation
// and a GPS position when asked.
// A progressive one has libjpeg's usual scan script (DC first, then luma and chroma bands).
QByteArray jpeg(const QImage& stored, const Tags& tags, int h = 2, int v = 2, int quality = 92,
                bool progressive = false);
bool write(const QString& path, const QByteArray& bytes);
// stored as a sequential JPEG (4:2:0) written by a libjpeg scan script with one scan per
// component, cut after its luma scan (as djpeg still reads it: the chroma is left grey).
QByteArray lumaOnly(const QImage& stored);
// A JPEG whose second component claims fractional sampling (0x31 against the luma's 2 x 2):
// its markers parse, but no libjpeg build can decode it.
QByteArray fractionalSampling(const QImage& stored);

struct Read
{
    bool present = false; // the file has an EXIF block
    QString taken;        // DateTimeOriginal as written
    QString make;
    QString model;
    int orientation = 0; // 0 when absent
    int gpsTags = 0;
};
Read read(const QString& path);
} // namespace camera
