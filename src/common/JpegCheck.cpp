// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegCheck.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <memory>

namespace {
struct Check
{
    jpeg_error_mgr pub{}; // first: libjpeg hands back its address
    std::jmp_buf jump{};
    jpeg_decompress_struct info{};
    JSAMPLE* row = nullptr;
};

// Only plain C state lives between the setjmp and the calls that may jump back to it.
bool run(Check& c, const unsigned char* data, unsigned long size)
{
    if (setjmp(c.jump))
        return false;
    jpeg_mem_src(&c.info, data, size);
    if (jpeg_read_header(&c.info, TRUE) != JPEG_HEADER_OK)
        return false;
    // Buffered where there are several scans: a progressive file gives its first rows without
    // being read to its end. A one-scan file is not: buffering holds all its coefficients.
    c.info.buffered_image = jpeg_has_multiple_scans(&c.info);
    if (!jpeg_start_decompress(&c.info))
        return false;
    if (c.info.buffered_image && !jpeg_start_output(&c.info, c.info.input_scan_number))
        return false;
    c.row = static_cast<JSAMPLE*>(
        (*c.info.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&c.info), JPOOL_IMAGE,
                                   size_t(c.info.output_width) * size_t(c.info.output_components)));
    const JDIMENSION rows =
        std::min<JDIMENSION>(c.info.output_height, JDIMENSION(c.info.max_v_samp_factor * DCTSIZE));
    while (c.info.output_scanline < rows)
        if (jpeg_read_scanlines(&c.info, &c.row, 1) != 1)
            return false;
    return true;
}
} // namespace

bool JpegCheck::opens(const char* data, qint64 size)
{
    if (!data || size < 4)
        return false;
    auto c = std::make_unique<Check>();
    c->info.err = jpeg_std_error(&c->pub);
    c->pub.error_exit = [](j_common_ptr info) {
        std::longjmp(reinterpret_cast<Check*>(info->err)->jump, 1);
    };
    c->pub.output_message = [](j_common_ptr) {};
    jpeg_create_decompress(&c->info);
    const bool ok =
        run(*c, reinterpret_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_destroy_decompress(&c->info);
    return ok;
}
