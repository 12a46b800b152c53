// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UprightReader.h"

#include <QtEndian>

#include <libexif/exif-data.h>

namespace {
constexpr qint64 kMaxExifChunk = 1 << 20; // more than any camera writes

QImageIOHandler::Transformations fromExif(int orientation)
{
    using T = QImageIOHandler;
    switch (orientation) {
    case 2:
        return T::TransformationMirror;
    case 3:
        return T::TransformationRotate180;
    case 4:
        return T::TransformationFlip;
    case 5:
        return T::TransformationFlipAndRotate90;
    case 6:
        return T::TransformationRotate90;
    case 7:
        return T::TransformationMirrorAndRotate90;
    case 8:
        return T::TransformationRotate270;
    default:
        return T::TransformationNone;
    }
}

int exifOrientation(QByteArray exif)
{
    // The chunk holds the TIFF structure; some writers keep the "Exif\0\0" prefix of JPEG's APP1.
    if (!exif.startsWith(QByteArray("Exif\0\0", 6)))
        exif.prepend(QByteArray("Exif\0\0", 6));
    ExifData* data = exif_data_new_from_data(
        reinterpret_cast<const unsigned char*>(exif.constData()), unsigned(exif.size()));
    if (!data)
        return 1;
    int orientation = 1;
    if (ExifEntry* entry = exif_data_get_entry(data, EXIF_TAG_ORIENTATION))
        orientation = exif_get_short(entry->data, exif_data_get_byte_order(data));
    exif_data_unref(data);
    return orientation;
}

// The format the first bytes announce, for the formats whose signature is unambiguous. Asked
// without one, Qt loads every image plugin in turn to let each look at a file opened by
// descriptor (5 ms, in every process that reads a photo).
QByteArray announcedFormat(QIODevice* device)
{
    const QByteArray head = device->peek(12);
    if (head.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.size() == 12 && head.startsWith("RIFF") && head.mid(8) == "WEBP")
        return "webp";
    return {};
}
} // namespace

UprightReader::UprightReader(QIODevice* device) : m_reader(device, announcedFormat(device))
{
    m_reader.setAutoTransform(true);
    QImageReader::setAllocationLimit(1024); // MB; large scans are fine, hostile headers are not
    if (!m_reader.format().isEmpty()) {
        m_reader.setAutoDetectImageFormat(false);
        if (!m_reader.canRead()) { // not what it announced: every plugin gets its look again
            m_reader.setAutoDetectImageFormat(true);
            m_reader.setFormat({});
            m_reader.setDevice(device);
        }
    }
    m_transformation = m_reader.canRead() ? m_reader.transformation() : m_transformation;
    if (m_transformation == QImageIOHandler::TransformationNone && m_reader.format() == "webp") {
        m_transformation = webpTransformation(device);
        m_turnAfterReading = m_transformation != QImageIOHandler::TransformationNone;
    }
}

void UprightReader::setUprightScaledSize(QSize upright)
{
    m_reader.setScaledSize(m_transformation & QImageIOHandler::TransformationRotate90
                               ? upright.transposed()
                               : upright);
}

QImage UprightReader::read()
{
    QImage image = m_reader.read();
    if (!m_turnAfterReading || image.isNull())
        return image;
    image.mirror(m_transformation & QImageIOHandler::TransformationMirror,
                 m_transformation & QImageIOHandler::TransformationFlip);
    if (m_transformation & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

QImageIOHandler::Transformations UprightReader::webpTransformation(QIODevice* device)
{
    // The reader may have moved the device while looking at the header; put it back after.
    const qint64 saved = device->pos();
    const auto done = [&](QImageIOHandler::Transformations t) {
        device->seek(saved);
        return t;
    };
    const qint64 start = 0;
    if (!device->seek(start))
        return done(QImageIOHandler::TransformationNone);
    const QByteArray head = device->read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WEBP")
        return done(QImageIOHandler::TransformationNone);
    const qint64 end = start + 8 + qFromLittleEndian<quint32>(head.constData() + 4);
    qint64 at = start + 12;
    while (at + 8 <= end && device->seek(at)) {
        const QByteArray chunk = device->read(8);
        if (chunk.size() < 8)
            break;
        const auto size = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("EXIF")) {
            if (size > kMaxExifChunk)
                break;
            return done(fromExif(exifOrientation(device->read(size))));
        }
        at += 8 + qint64(size) + (size & 1); // chunks are padded to an even length
    }
    return done(QImageIOHandler::TransformationNone);
}
