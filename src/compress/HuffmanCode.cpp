// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HuffmanCode.h"

#include <utility>

namespace {
// Longest code the plain Huffman construction may give before lengths are limited to 16.
constexpr int kLongest = 32;
// The construction's largest count: what libjpeg searches up to.
constexpr int64_t kCountLimit = 1000000000;
} // namespace

bool HuffmanCode::build(const Counts& counts)
{
    // Symbol 256 stands for the code of all ones, which no symbol may have; it takes count 1.
    std::array<int64_t, 257> freq{};
    for (size_t i = 0; i < 256; ++i) {
        if (counts[i] < 0 || counts[i] >= kCountLimit / 2)
            return false;
        freq[i] = counts[i];
    }
    freq[256] = 1;
    std::array<int, 257> length{};
    std::array<int, 257> next{};
    next.fill(-1);
    // The smallest nonzero count other than skip's; on ties the larger symbol.
    const auto smallest = [&freq](int skip) {
        int found = -1;
        int64_t least = kCountLimit;
        for (int i = 0; i <= 256; ++i)
            if (freq[size_t(i)] != 0 && freq[size_t(i)] <= least && i != skip) {
                least = freq[size_t(i)];
                found = i;
            }
        return found;
    };
    const auto deepen = [&length, &next](int from) {
        int i = from;
        ++length[size_t(i)];
        while (next[size_t(i)] >= 0) {
            i = next[size_t(i)];
            ++length[size_t(i)];
        }
        return i;
    };
    for (;;) {
        const int a = smallest(-1);
        const int b = smallest(a);
        if (b < 0)
            break;
        freq[size_t(a)] += freq[size_t(b)];
        freq[size_t(b)] = 0;
        next[size_t(deepen(a))] = b; // b's branch joins the end of a's
        deepen(b);
    }
    std::array<int, kLongest + 1> bits{};
    for (const int l : length) {
        if (l > kLongest)
            return false;
        if (l > 0)
            ++bits[size_t(l)];
    }
    // Lengths over 16: two codes of the longest length leave it, one moving up a length and the
    // other, with a shorter code made a prefix, going below that shorter one (Annex K.2).
    int l = kLongest;
    for (; l > 16; --l)
        while (bits[size_t(l)] > 0) {
            int j = l - 2;
            while (bits[size_t(j)] == 0)
                --j;
            bits[size_t(l)] -= 2;
            ++bits[size_t(l - 1)];
            bits[size_t(j) + 1] += 2;
            --bits[size_t(j)];
        }
    while (bits[size_t(l)] == 0)
        --l;
    --bits[size_t(l)]; // symbol 256's place
    m_bits.fill(0);
    for (int k = 1; k <= 16; ++k)
        m_bits[size_t(k)] = uint8_t(bits[size_t(k)]);
    m_count = 0;
    for (int k = 1; k <= kLongest; ++k)
        for (int s = 0; s < 256; ++s)
            if (length[size_t(s)] == k)
                m_symbols[size_t(m_count++)] = uint8_t(s);
    // The canonical codes: each length's codes follow the shorter ones', counted up and shifted.
    m_size.fill(0);
    uint32_t code = 0;
    int p = 0;
    for (int k = 1; k <= 16; ++k) {
        for (int i = 0; std::cmp_less(i, m_bits[size_t(k)]) && p < m_count; ++i, ++p) {
            m_code[m_symbols[size_t(p)]] = code++;
            m_size[m_symbols[size_t(p)]] = uint8_t(k);
        }
        code <<= 1;
    }
    return p == m_count;
}
