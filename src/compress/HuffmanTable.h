// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One Huffman table of a JPEG scan, ready for decoding: the symbol of a code up to kLookBits long
// is found in one look-up, a longer one by its length, as libjpeg's decoder does.
class HuffmanTable
{
  public:
    static constexpr int kLookBits = 9;

    // From a DHT's code counts per length (counts[1..16]) and its symbols; false for a table
    // libjpeg refuses (codes that overflow their length, a DC category above 15).
    bool build(const uint8_t* counts, const uint8_t* symbols, bool dc);

    // The symbol whose code starts bits (the next 32 bits of the stream, first bit highest), and
    // its code's length; -1 when no code matches.
    int decode(uint32_t bits, int& length) const
    {
        const uint16_t fast = m_fast[bits >> (32 - kLookBits)];
        if (fast != 0) {
            length = fast >> 8;
            return fast & 0xff;
        }
        for (int l = kLookBits + 1; l <= 16; ++l) {
            const auto code = int32_t(bits >> (32 - l));
            if (code <= m_maxCode[size_t(l)]) {
                length = l;
                return m_symbols[size_t(code + m_offset[size_t(l)]) & 0xff];
            }
        }
        return -1;
    }

    // For an AC table: the next coefficient whole (code and extra bits within kAcBits), as
    // bits used (0: not in reach), then kEnd or kSkip16 or the zero run, and the value above 16.
    static constexpr int kAcBits = 13;
    static constexpr uint32_t kEnd = 1u << 9;
    static constexpr uint32_t kSkip16 = 1u << 10;
    [[nodiscard]] uint32_t coefficient(uint32_t bits) const
    {
        return m_coefficient[bits >> (32 - kAcBits)];
    }

  private:
    void fillCoefficients(uint32_t code, int length, uint8_t symbol);

    std::array<uint32_t, 1 << kAcBits> m_coefficient{};
    std::array<uint16_t, 1 << kLookBits> m_fast{}; // length << 8 | symbol; 0 for longer codes
    std::array<int32_t, 17> m_maxCode{};           // largest code of each length, -1 for none
    std::array<int32_t, 17> m_offset{};            // code + this: index of its symbol
    std::array<uint8_t, 256> m_symbols{};
};
