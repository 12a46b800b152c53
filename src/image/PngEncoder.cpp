// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngEncoder.h"

#include <QSysInfo>

#include <png.h>

#include <csetjmp>
#include <vector>

namespace {
void append(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(length));
}
void flush(png_structp)
{
}

// libpng reports errors by a longjmp back to the setjmp below.
bool write(const QImage& image, QByteArray& out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    std::vector<png_const_bytep> rows(size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        rows[size_t(y)] = image.constScanLine(y);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, append, flush);
    const bool gray = image.format() == QImage::Format_Grayscale8;
    const bool alpha = image.format() == QImage::Format_ARGB32;
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 gray    ? PNG_COLOR_TYPE_GRAY
                 : alpha ? PNG_COLOR_TYPE_RGBA
                         : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, png_uint_32(image.dotsPerMeterX()),
                     png_uint_32(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
    // Of the two, whichever suits the row: none for the flat rows of text pages, up for photos.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE | PNG_FILTER_UP);
    png_set_compression_level(png, 2);
    png_write_info(png, info);
    if (!gray) {
        // Qt keeps a 32-bit pixel as one native word: B, G, R, A (or X) in memory on little-endian
        // machines, A, R, G, B on big-endian ones.
        const bool little = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
        if (little)
            png_set_bgr(png);
        else if (alpha)
            png_set_swap_alpha(png);
        if (!alpha)
            png_set_filler(png, 0, little ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    }
    png_write_rows(png, const_cast<png_bytepp>(rows.data()), png_uint_32(rows.size()));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}
} // namespace

QByteArray PngEncoder::encode(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage source = image;
    const QImage::Format f = image.format();
    if (f != QImage::Format_Grayscale8 && f != QImage::Format_RGB32 && f != QImage::Format_ARGB32)
        source = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                               : QImage::Format_RGB32);
    QByteArray out;
    out.reserve(qsizetype(source.sizeInBytes() / 8));
    return write(source, out) ? out : QByteArray();
}
