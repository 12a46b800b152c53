// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoMetadata.h"

#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>

#include <cstdlib>
#include <memory>

namespace {
constexpr qsizetype kMaxSegment = 65533; // an APP1 payload's limit

struct ExifDeleter
{
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifPtr = std::unique_ptr<ExifData, ExifDeleter>;

ExifPtr load(const QByteArray& exif)
{
    if (exif.size() < 14)
        return nullptr;
    ExifPtr data(exif_data_new());
    if (!data)
        return nullptr;
    // Read as it is: libexif would otherwise add every tag the standard asks for, and a copy's
    // block would come out larger than the photo's own.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(data.get(), reinterpret_cast<const unsigned char*>(exif.constData()),
                        unsigned(exif.size()));
    return data;
}

quint16 segmentLength(const QByteArray& b, qsizetype at)
{
    return quint16((uchar(b[at]) << 8) | uchar(b[at + 1]));
}

void removeAll(ExifContent* content)
{
    while (content && content->count > 0)
        exif_content_remove_entry(content, content->entries[0]);
}

void removeTag(ExifContent* content, ExifTag tag)
{
    if (ExifEntry* e = exif_content_get_entry(content, tag))
        exif_content_remove_entry(content, e);
}

void setNumber(ExifEntry* e, ExifByteOrder order, quint32 value)
{
    if (!e || e->components < 1 || !e->data)
        return;
    if (e->format == EXIF_FORMAT_SHORT && value <= 0xffff)
        exif_set_short(e->data, order, ExifShort(value));
    else if (e->format == EXIF_FORMAT_LONG)
        exif_set_long(e->data, order, value);
}

QString text(ExifContent* content, ExifTag tag)
{
    ExifEntry* e = exif_content_get_entry(content, tag);
    if (!e || e->format != EXIF_FORMAT_ASCII || !e->data)
        return {};
    return QString::fromLatin1(
        reinterpret_cast<const char*>(e->data),
        qsizetype(qstrnlen(reinterpret_cast<const char*>(e->data), e->size)));
}
} // namespace

QByteArray PhotoMetadata::exifOf(const QByteArray& jpeg)
{
    if (!jpeg.startsWith("\xff\xd8"))
        return {};
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xff) {
        const auto marker = uchar(jpeg[at + 1]);
        if (marker == 0xda || marker == 0xd9) // image data or end: no more headers
            break;
        const quint16 length = segmentLength(jpeg, at + 2);
        if (length < 2 || at + 2 + length > jpeg.size())
            break;
        if (marker == 0xe1 && length > 8 && jpeg.mid(at + 4, 6) == QByteArray("Exif\0\0", 6))
            return jpeg.mid(at + 4, length - 2);
        at += 2 + length;
    }
    return {};
}

int PhotoMetadata::orientation(const QByteArray& exif)
{
    const ExifPtr data = load(exif);
    if (!data)
        return 1;
    ExifEntry* e = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (!e || e->format != EXIF_FORMAT_SHORT || e->components < 1 || !e->data)
        return 1;
    const int value = exif_get_short(e->data, exif_data_get_byte_order(data.get()));
    return value >= 1 && value <= 8 ? value : 1;
}

QDateTime PhotoMetadata::captureTime(const QByteArray& exif)
{
    const ExifPtr data = load(exif);
    if (!data)
        return {};
    QString when = text(data->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL);
    if (when.size() < 19)
        when = text(data->ifd[EXIF_IFD_0], EXIF_TAG_DATE_TIME);
    return QDateTime::fromString(when.left(19), QStringLiteral("yyyy:MM:dd HH:mm:ss"));
}

QByteArray PhotoMetadata::forCopy(const QByteArray& exif, QSize size, bool keepLocation)
{
    const ExifPtr data = load(exif);
    if (!data)
        return {};
    ExifData* d = data.get();
    const ExifByteOrder order = exif_data_get_byte_order(d);
    if (!keepLocation)
        removeAll(d->ifd[EXIF_IFD_GPS]);
    // The thumbnail shows the old pixels (and the old turn); maker notes are opaque and can hold
    // serial numbers or even a location.
    removeAll(d->ifd[EXIF_IFD_1]);
    std::free(d->data); // libexif's default allocator is malloc
    d->data = nullptr;
    d->size = 0;
    removeTag(d->ifd[EXIF_IFD_EXIF], EXIF_TAG_MAKER_NOTE);
    if (size.isValid()) {
        setNumber(exif_content_get_entry(d->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION), order, 1);
        setNumber(exif_content_get_entry(d->ifd[EXIF_IFD_EXIF], EXIF_TAG_PIXEL_X_DIMENSION), order,
                  quint32(size.width()));
        setNumber(exif_content_get_entry(d->ifd[EXIF_IFD_EXIF], EXIF_TAG_PIXEL_Y_DIMENSION), order,
                  quint32(size.height()));
    }
    unsigned char* bytes = nullptr;
    unsigned int length = 0;
    exif_data_save_data(d, &bytes, &length);
    QByteArray out(reinterpret_cast<const char*>(bytes), qsizetype(length));
    std::free(bytes);
    return out.size() <= kMaxSegment ? out : QByteArray();
}

QByteArray PhotoMetadata::withExif(const QByteArray& jpeg, const QByteArray& exif)
{
    if (exif.isEmpty() || exif.size() > kMaxSegment || !jpeg.startsWith("\xff\xd8"))
        return jpeg;
    qsizetype at = 2;
    if (jpeg.size() >= 6 && uchar(jpeg[2]) == 0xff && uchar(jpeg[3]) == 0xe0)
        at += 2 + segmentLength(jpeg, 4);
    QByteArray segment("\xff\xe1", 2);
    const int length = int(exif.size() + 2);
    segment += char(length >> 8);
    segment += char(length & 0xff);
    segment += exif;
    QByteArray out = jpeg;
    out.insert(std::min(at, jpeg.size()), segment);
    return out;
}

QByteArray PhotoMetadata::replacingExif(const QByteArray& jpeg, const QByteArray& exif)
{
    if (!jpeg.startsWith("\xff\xd8"))
        return {};
    QByteArray out = jpeg.left(2);
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xff) {
        const auto marker = uchar(jpeg[at + 1]);
        if (marker == 0xda || marker == 0xd9)
            break;
        const quint16 length = segmentLength(jpeg, at + 2);
        if (length < 2 || at + 2 + length > jpeg.size())
            return {}; // a broken header: not worth keeping as it is
        if (marker != 0xe1)
            out += jpeg.mid(at, 2 + length);
        at += 2 + length;
    }
    out += jpeg.mid(at);
    return withExif(out, exif);
}
