// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngRows.h"

#include <csetjmp>

namespace {
void readFrom(png_structp png, png_bytep out, size_t length)
{
    auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (device->read(reinterpret_cast<char*>(out), qint64(length)) != qint64(length))
        png_error(png, "cut short");
}

// Only plain C state lives between each setjmp and the libpng calls that may jump back to it.
bool readHeader(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE)
        return false;
    // Whatever is stored comes out as 8-bit RGBA.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == size_t(png_get_image_width(png, info)) * 4;
}

bool readRow(png_structp png, png_bytep row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_row(png, row, nullptr);
    return true;
}
} // namespace

PngRows::PngRows(std::unique_ptr<QIODevice> device) : m_device(std::move(device))
{
    m_png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, this, [](png_structp p, png_const_charp) { png_longjmp(p, 1); },
        [](png_structp p, png_const_charp) {
            ++static_cast<PngRows*>(png_get_error_ptr(p))->m_warnings;
        });
    m_info = m_png ? png_create_info_struct(m_png) : nullptr;
    if (!m_info)
        return;
    png_set_read_fn(m_png, m_device.get(), readFrom);
    // The header's size was checked against the file already; libpng's own cap is lower.
    m_open = readHeader(m_png, m_info);
    setLayout(
        QSize(int(png_get_image_width(m_png, m_info)), int(png_get_image_height(m_png, m_info))),
        QImage::Format_RGBA8888_Premultiplied);
}

PngRows::~PngRows()
{
    png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr);
}

bool PngRows::read(uchar* out)
{
    if (!m_open || !readRow(m_png, out)) {
        m_open = false;
        return false;
    }
    for (int x = 0; x < size().width(); ++x) {
        uchar* p = out + ptrdiff_t(4) * x;
        const uint alpha = p[3];
        if (alpha == 255)
            continue;
        for (int c = 0; c < 3; ++c)
            p[c] = uchar((p[c] * alpha + 127) / 255);
    }
    return true;
}
