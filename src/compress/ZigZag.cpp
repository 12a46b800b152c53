// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZigZag.h"

#include <cstddef>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {
// For byte j of a block's row-major mask of nonzero coefficients, the same in zig-zag order.
struct ZigZagMasks
{
    std::array<std::array<uint64_t, 256>, 8> table{};
    ZigZagMasks()
    {
        std::array<int, 64> zigzagOf{};
        for (int k = 0; k < 64; ++k)
            zigzagOf[kNatural[size_t(k)]] = k;
        for (size_t j = 0; j < 8; ++j)
            for (size_t b = 0; b < 256; ++b)
                for (size_t t = 0; t < 8; ++t)
                    if ((b >> t & 1) != 0)
                        table[j][b] |= uint64_t(1) << zigzagOf[8 * j + t];
    }
};

uint64_t naturalMask(const JCOEF* block)
{
    uint64_t mask = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    for (int i = 0; i < 4; ++i) {
        const __m128i a =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + ptrdiff_t(16) * i));
        const __m128i b =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + ptrdiff_t(16) * i + 8));
        const __m128i zeros = _mm_packs_epi16(_mm_cmpeq_epi16(a, zero), _mm_cmpeq_epi16(b, zero));
        mask |= uint64_t(uint16_t(~_mm_movemask_epi8(zeros))) << (16 * i);
    }
#else
    for (int k = 0; k < 64; ++k)
        mask |= uint64_t(block[k] != 0) << k;
#endif
    return mask;
}
} // namespace

uint64_t presentAc(const JCOEF* block)
{
    static const ZigZagMasks masks;
    const uint64_t natural = naturalMask(block);
    uint64_t mask = 0;
    for (size_t j = 0; j < 8; ++j)
        mask |= masks.table[j][natural >> (8 * j) & 255];
    return mask & ~uint64_t(1);
}
