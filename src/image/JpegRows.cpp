// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegRows.h"

#include <algorithm>
#include <csetjmp>
#include <jerror.h>

namespace {
JpegRows* owner(j_decompress_ptr info)
{
    return static_cast<JpegRows*>(info->client_data);
}
} // namespace

JpegRows::JpegRows(std::unique_ptr<QIODevice> device, int denominator) : m_device(std::move(device))
{
    m_errors.install();
    m_info.err = &m_errors.pub;
    jpeg_create_decompress(&m_info);
    m_info.client_data = this;
    // Read in blocks from the device: the file itself may be larger than the memory allowed.
    m_source.init_source = [](j_decompress_ptr) {};
    m_source.fill_input_buffer = [](j_decompress_ptr info) -> boolean {
        JpegRows* self = owner(info);
        const qint64 got = self->m_device->read(reinterpret_cast<char*>(self->m_buffer.data()),
                                                qint64(self->m_buffer.size()));
        if (got <= 0) {
            // A cut-off file ends in grey, as libjpeg's own readers do, with a warning counted.
            WARNMS(info, JWRN_JPEG_EOF);
            self->m_buffer[0] = 0xFF;
            self->m_buffer[1] = JPEG_EOI;
            info->src->next_input_byte = self->m_buffer.data();
            info->src->bytes_in_buffer = 2;
            return TRUE;
        }
        info->src->next_input_byte = self->m_buffer.data();
        info->src->bytes_in_buffer = size_t(got);
        return TRUE;
    };
    m_source.skip_input_data = [](j_decompress_ptr info, long count) {
        while (count > 0) {
            if (info->src->bytes_in_buffer == 0)
                info->src->fill_input_buffer(info);
            const long step = std::min(count, long(info->src->bytes_in_buffer));
            info->src->next_input_byte += step;
            info->src->bytes_in_buffer -= size_t(step);
            count -= step;
        }
    };
    m_source.resync_to_restart = jpeg_resync_to_restart;
    m_source.term_source = [](j_decompress_ptr) {};
    m_info.src = &m_source;
    m_open = start(denominator);
}

JpegRows::~JpegRows()
{
    jpeg_destroy_decompress(&m_info);
}

bool JpegRows::start(int denominator)
{
    if (setjmp(m_errors.jump))
        return false;
    if (jpeg_read_header(&m_info, TRUE) != JPEG_HEADER_OK)
        return false;
    if (m_info.jpeg_color_space == JCS_CMYK || m_info.jpeg_color_space == JCS_YCCK)
        return false;
    m_info.out_color_space = JCS_EXT_RGBX;
    m_info.scale_num = 1;
    m_info.scale_denom = unsigned(denominator);
    m_info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&m_info);
    setLayout(QSize(int(m_info.output_width), int(m_info.output_height)), QImage::Format_RGBX8888);
    return m_info.output_components == 4;
}

bool JpegRows::read(uchar* out)
{
    if (!m_open || m_info.output_scanline >= m_info.output_height)
        return false;
    if (setjmp(m_errors.jump)) {
        m_open = false;
        return false;
    }
    JSAMPROW row = out;
    return jpeg_read_scanlines(&m_info, &row, 1) == 1;
}
