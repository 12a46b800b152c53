// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HuffmanTable.h"

#include <utility>

bool HuffmanTable::build(const uint8_t* counts, const uint8_t* symbols, bool dc)
{
    // Canonical codes: each length's codes follow the shorter ones', counted up and shifted.
    std::array<uint8_t, 257> sizes{};
    std::array<uint32_t, 257> codes{};
    int n = 0;
    for (int l = 1; l <= 16; ++l)
        for (int i = 0; std::cmp_less(i, counts[l]); ++i) {
            if (n == 256)
                return false;
            sizes[size_t(n++)] = uint8_t(l);
        }
    uint32_t code = 0;
    int length = sizes[0];
    for (int p = 0; sizes[size_t(p)] != 0;) {
        while (std::cmp_equal(sizes[size_t(p)], length))
            codes[size_t(p++)] = code++;
        if (code >= (1u << length))
            return false;
        code <<= 1;
        ++length;
    }
    m_fast.fill(0);
    m_coefficient.fill(0);
    int p = 0;
    for (int l = 1; l <= 16; ++l) {
        m_maxCode[size_t(l)] = -1;
        if (counts[l] == 0)
            continue;
        m_offset[size_t(l)] = p - int32_t(codes[size_t(p)]);
        for (int i = 0; std::cmp_less(i, counts[l]); ++i, ++p) {
            m_symbols[size_t(p)] = symbols[p];
            if (dc && symbols[p] > 15)
                return false;
            if (!dc)
                fillCoefficients(codes[size_t(p)], l, symbols[p]);
            if (l > kLookBits)
                continue;
            const uint32_t first = codes[size_t(p)] << (kLookBits - l);
            for (uint32_t e = 0; e < (1u << (kLookBits - l)); ++e)
                m_fast[first + e] = uint16_t(l << 8 | symbols[p]);
        }
        m_maxCode[size_t(l)] = int32_t(codes[size_t(p - 1)]);
    }
    return true;
}

void HuffmanTable::fillCoefficients(uint32_t code, int length, uint8_t symbol)
{
    const int run = symbol >> 4, size = symbol & 15;
    const int used = length + size;
    if (used > kAcBits)
        return;
    const int free = kAcBits - used;
    for (uint32_t extra = 0; extra < (1u << size); ++extra) {
        uint32_t entry = uint32_t(used) | uint32_t(run) << 5;
        if (size == 0)
            entry |= run == 15 ? kSkip16 : kEnd;
        else if (extra < (1u << (size - 1))) // JPEG's EXTEND: the lower half is negative
            entry |= uint32_t(uint16_t(int(extra) - (1 << size) + 1)) << 16;
        else
            entry |= extra << 16;
        const uint32_t first = ((code << size) | extra) << free;
        for (uint32_t e = 0; e < (1u << free); ++e)
            m_coefficient[first + e] = entry;
    }
}
