// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegSamples.h"

#include "image/JpegErrors.h"

#include <csetjmp>
#include <cstdlib>

namespace {
bool encodeFrom(jpeg_compress_struct& info, JpegErrors& errors, const JpegSamples& in, int quality)
{
    if (setjmp(errors.jump))
        return false;
    info.image_width = JDIMENSION(in.size.width());
    info.image_height = JDIMENSION(in.size.height());
    info.input_components = in.components();
    info.in_color_space = in.model == JpegSamples::Model::Gray    ? JCS_GRAYSCALE
                          : in.model == JpegSamples::Model::YCbCr ? JCS_YCbCr
                                                                  : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    const qint64 row = qint64(in.size.width()) * in.components();
    const auto* base = reinterpret_cast<const JSAMPLE*>(in.samples.constData());
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {const_cast<JSAMPLE*>(base + row * info.next_scanline)};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}
} // namespace

QByteArray JpegSamples::encode(int quality) const
{
    JpegErrors errors;
    errors.install();
    jpeg_compress_struct info{};
    info.err = &errors.pub;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &buffer, &length);
    const bool done = encodeFrom(info, errors, *this, qBound(1, quality, 100));
    jpeg_destroy_compress(&info);
    QByteArray bytes = done && buffer
                           ? QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(length))
                           : QByteArray();
    std::free(buffer); // NOLINT(cppcoreguidelines-no-malloc): libjpeg allocates it with malloc
    return bytes;
}
