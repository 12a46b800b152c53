// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngCheck.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
struct Source
{
    const uchar* data = nullptr;
    qint64 size = 0;
    qint64 at = 0;
};

void readFrom(png_structp png, png_bytep out, size_t length)
{
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (qint64(length) > source->size - source->at)
        png_error(png, "cut short");
    std::memcpy(out, source->data + source->at, length);
    source->at += qint64(length);
}

// Only plain C state lives between the setjmp and the calls that may jump back to it; row is
// made by the caller, as large as a row of this PNG can be.
bool readRows(png_structp png, png_infop info, png_bytep row, size_t rowBytes)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    if (png_get_rowbytes(png, info) > rowBytes)
        return false;
    const int passes = png_set_interlace_handling(png);
    const png_uint_32 height = png_get_image_height(png, info);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y)
            png_read_row(png, row, nullptr);
    png_read_end(png, nullptr);
    return true;
}
} // namespace

bool PngCheck::reads(const uchar* data, qint64 size)
{
    if (!data || size < 33 || png_sig_cmp(data, 0, 8) != 0)
        return false;
    // The widest row: 8 bytes a pixel (16-bit RGBA) at the width the header gives.
    const png_uint_32 width = png_uint_32(data[16]) << 24 | png_uint_32(data[17]) << 16 |
                              png_uint_32(data[18]) << 8 | png_uint_32(data[19]);
    if (width == 0 || width > 1'000'000)
        return false;
    std::vector<png_byte> row(size_t(width) * 8 + 1);
    png_structp png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, nullptr, [](png_structp p, png_const_charp) { png_longjmp(p, 1); },
        [](png_structp, png_const_charp) {});
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    Source source{data, size, 0};
    bool ok = false;
    if (info) {
        png_set_read_fn(png, &source, readFrom);
        ok = readRows(png, info, row.data(), row.size());
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return ok;
}
