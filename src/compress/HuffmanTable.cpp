// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HuffmanTable.h"

bool HuffmanTable::build(const uint8_t* counts, const uint8_t* symbols, bool dc)
{
    // Canonical codes: each length's codes follow the shorter ones', counted up and shifted.
    std::array<uint8_t, 257> sizes{};
    std::array<uint32_t, 257> codes{};
    int n = 0;
    for (int l = 1; l <= 16; ++l)
        for (int i = 0; i < counts[l]; ++i) {
            if (n == 256)
                return false;
            sizes[size_t(n++)] = uint8_t(l);
        }
    uint32_t code = 0;
    int length = sizes[0];
    for (int p = 0; sizes[size_t(p)] != 0;) {
        while (sizes[size_t(p)] == length)
            codes[size_t(p++)] = code++;
        if (code >= (1u << length))
            return false;
        code <<= 1;
        ++length;
    }
    m_fast.fill(0);
    int p = 0;
    for (int l = 1; l <= 16; ++l) {
        m_maxCode[size_t(l)] = -1;
        if (counts[l] == 0)
            continue;
        m_offset[size_t(l)] = p - int32_t(codes[size_t(p)]);
        for (int i = 0; i < counts[l]; ++i, ++p) {
            m_symbols[size_t(p)] = symbols[p];
            if (dc && symbols[p] > 15)
                return false;
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
