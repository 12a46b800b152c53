// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RangeSource.h"

#include <utility>

void RangeSource::set(const char* data, ScanCut::Ranges ranges)
{
    m_data = data;
    m_ranges = std::move(ranges);
    m_next = 0;
}

void RangeSource::attach(j_decompress_ptr info)
{
    m_pub.init_source = [](j_decompress_ptr) {};
    m_pub.fill_input_buffer = [](j_decompress_ptr info) { return of(info)->fill(); };
    m_pub.skip_input_data = [](j_decompress_ptr info, long count) { of(info)->skip(count); };
    m_pub.resync_to_restart = jpeg_resync_to_restart;
    m_pub.term_source = [](j_decompress_ptr) {};
    info->src = &m_pub;
}

RangeSource* RangeSource::of(j_decompress_ptr info)
{
    return reinterpret_cast<RangeSource*>(info->src);
}

boolean RangeSource::fill()
{
    static const JOCTET kEnd[2] = {0xFF, JPEG_EOI};
    while (m_next < m_ranges.size() && m_ranges[m_next].second <= 0)
        ++m_next;
    if (m_next < m_ranges.size()) {
        m_pub.next_input_byte = reinterpret_cast<const JOCTET*>(m_data + m_ranges[m_next].first);
        m_pub.bytes_in_buffer = size_t(m_ranges[m_next].second);
        ++m_next;
    } else {
        // Past the end, like libjpeg's own sources: an end of image, again if asked again.
        m_pub.next_input_byte = kEnd;
        m_pub.bytes_in_buffer = sizeof kEnd;
    }
    return TRUE;
}

void RangeSource::skip(long count)
{
    while (std::cmp_greater(count, m_pub.bytes_in_buffer)) {
        count -= long(m_pub.bytes_in_buffer);
        fill();
    }
    m_pub.next_input_byte += count;
    m_pub.bytes_in_buffer -= size_t(count);
}
