// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntropySegment.h"

#include <cstring>

bool EntropySegment::read(const uint8_t* data, size_t size)
{
    m_bytes = std::make_unique_for_overwrite<uint8_t[]>(size + 8);
    m_intervals.assign(1, 0);
    uint8_t* out = m_bytes.get();
    const uint8_t* const end = data + size;
    for (const uint8_t* in = data;;) {
        const auto* mark = static_cast<const uint8_t*>(std::memchr(in, 0xFF, size_t(end - in)));
        if (!mark)
            return false;
        std::memcpy(out, in, size_t(mark - in));
        out += mark - in;
        // Like libjpeg: any run of 0xFF, then 0 for a data byte 0xFF, else a marker.
        in = mark;
        while (in < end && *in == 0xFF)
            ++in;
        if (in == end)
            return false;
        const uint8_t code = *in++;
        if (code == 0) {
            *out++ = 0xFF;
        } else if (code >= 0xD0 && code <= 0xD7) {
            if (code - 0xD0 != int((m_intervals.size() - 1) % 8))
                return false;
            m_intervals.push_back(size_t(out - m_bytes.get()));
        } else {
            m_size = size_t(out - m_bytes.get());
            std::memset(out, 0, 8);
            return code == 0xD9;
        }
    }
}
