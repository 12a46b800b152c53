// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CameraPhoto.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>
#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>
#include <vector>

namespace camera {
namespace {
ExifEntry* add(ExifData* data, ExifIfd ifd, ExifTag tag, ExifFormat format, unsigned components)
{
    ExifEntry* e = exif_entry_new();
    e->tag = tag;
    e->format = format;
    e->components = components;
    e->size = exif_format_get_size(format) * components;
    e->data = static_cast<unsigned char*>(std::calloc(1, e->size));
    exif_content_add_entry(data->ifd[ifd], e);
    exif_entry_unref(e); // the content holds it
    return e;
}

void ascii(ExifData* data, ExifIfd ifd, ExifTag tag, const QByteArray& text)
{
    ExifEntry* e = add(data, ifd, tag, EXIF_FORMAT_ASCII, unsigned(text.size() + 1));
    std::memcpy(e->data, text.constData(), size_t(text.size()));
}

QByteArray exifBlock(const Tags& tags)
{
    ExifData* data = exif_data_new();
    exif_data_set_byte_order(data, EXIF_BYTE_ORDER_INTEL);
    const ExifByteOrder order = EXIF_BYTE_ORDER_INTEL;
    ascii(data, EXIF_IFD_0, EXIF_TAG_MAKE, "Quire");
    ascii(data, EXIF_IFD_0, EXIF_TAG_MODEL, "Test Cam");
    exif_set_short(add(data, EXIF_IFD_0, EXIF_TAG_ORIENTATION, EXIF_FORMAT_SHORT, 1)->data, order,
                   ExifShort(tags.orientation));
    if (tags.taken.isValid())
        ascii(data, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL,
              tags.taken.toString("yyyy:MM:dd HH:mm:ss").toLatin1());
    if (tags.gps) {
        ascii(data, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LATITUDE_REF), "N");
        ExifEntry* lat =
            add(data, EXIF_IFD_GPS, ExifTag(EXIF_TAG_GPS_LATITUDE), EXIF_FORMAT_RATIONAL, 3);
        const ExifRational parts[3] = {{48, 1}, {51, 1}, {2400, 100}};
        for (int i = 0; i < 3; ++i)
            exif_set_rational(lat->data + 8 * i, order, parts[i]);
    }
    unsigned char* bytes = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data, &bytes, &size);
    QByteArray out(reinterpret_cast<const char*>(bytes), int(size));
    std::free(bytes);
    exif_data_unref(data);
    return out;
}
} // namespace

QByteArray jpeg(const QImage& stored, const Tags& tags, int h, int v, int quality, bool progressive)
{
    const QImage rgb = stored.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(rgb.width());
    c.image_height = JDIMENSION(rgb.height());
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    c.comp_info[0].h_samp_factor = h;
    c.comp_info[0].v_samp_factor = v;
    if (progressive)
        jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    if (tags.taken.isValid() || tags.orientation != 1 || tags.gps) {
        const QByteArray block = exifBlock(tags);
        jpeg_write_marker(&c, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(block.constData()),
                          unsigned(block.size()));
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(int(c.next_scanline)));
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return out;
}

QByteArray lumaOnly(const QImage& stored)
{
    const QImage rgb = stored.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(rgb.width());
    c.image_height = JDIMENSION(rgb.height());
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_scan_info scans[3] = {};
    for (int i = 0; i < 3; ++i) {
        scans[i].comps_in_scan = 1;
        scans[i].component_index[0] = i;
        scans[i].Se = DCTSIZE2 - 1;
    }
    c.scan_info = scans;
    c.num_scans = 3;
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(int(c.next_scanline)));
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    const QByteArray whole(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    const qsizetype second = whole.indexOf("\xff\xda", whole.indexOf("\xff\xda") + 2);
    return whole.left(second) + "\xff\xd9";
}

QByteArray fractionalSampling(const QImage& stored)
{
    QByteArray bytes = jpeg(stored, {}, 2, 2);
    // SOF0: length (2), precision, height (2), width (2), count, then id, sampling, table.
    const qsizetype sof = bytes.indexOf("\xff\xc0");
    bytes[sof + 10 + 3 + 1] = '\x31';
    return bytes;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

Read read(const QString& path)
{
    Read r;
    ExifData* data = exif_data_new_from_file(QFile::encodeName(path).constData());
    if (!data)
        return r;
    r.present = true;
    const auto text = [data](ExifIfd ifd, ExifTag tag) {
        char buf[256] = {};
        ExifEntry* e = exif_content_get_entry(data->ifd[ifd], tag);
        return e ? QString::fromLatin1(exif_entry_get_value(e, buf, sizeof buf)) : QString();
    };
    r.taken = text(EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL);
    r.make = text(EXIF_IFD_0, EXIF_TAG_MAKE);
    r.model = text(EXIF_IFD_0, EXIF_TAG_MODEL);
    if (ExifEntry* e = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION))
        r.orientation = exif_get_short(e->data, exif_data_get_byte_order(data));
    r.gpsTags = int(data->ifd[EXIF_IFD_GPS]->count);
    exif_data_unref(data);
    return r;
}
} // namespace camera
