// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HuffmanTable.h"
#include "ZigZag.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

// Decodes the MCUs of a sequential Huffman-coded JPEG scan from any bit of its unstuffed data:
// which blocks an MCU holds and with which tables, taken from a reader that has read the header.
class McuDecoder
{
  public:
    static constexpr int kMaxBlocks = D_MAX_BLOCKS_IN_MCU;

    // False when the scan is not one this decoder takes the way libjpeg would (progressive,
    // arithmetic, not 8-bit, not every component in it, a table missing or refused).
    bool plan(const jpeg_decompress_struct& info);

    [[nodiscard]] int blocks() const { return m_blocks; }
    [[nodiscard]] int components() const { return m_components; }
    [[nodiscard]] int component(int block) const { return m_component[size_t(block)]; }
    // Where block b of an MCU lies in its component's blocks: across and down from the MCU's
    // first block, and how many blocks across and down one MCU covers of that component.
    [[nodiscard]] int dx(int block) const { return m_dx[size_t(block)]; }
    [[nodiscard]] int dy(int block) const { return m_dy[size_t(block)]; }
    [[nodiscard]] int mcuWidth(int c) const { return m_mcuWidth[size_t(c)]; }
    [[nodiscard]] int mcuHeight(int c) const { return m_mcuHeight[size_t(c)]; }
    [[nodiscard]] int mcusPerRow() const { return m_mcusPerRow; }
    [[nodiscard]] int64_t mcuCount() const { return m_mcuCount; }

    // Decodes the MCU starting at bit pos of data (end bits long, then 8 zero bytes) into out
    // (zeroed blocks), adding the DC differences to dc (per component). Advances pos, perhaps past
    // end; false on a code no table holds or more than 64 coefficients in a block.
    bool decode(const uint8_t* data, uint64_t end, uint64_t& pos, int32_t* dc,
                JBLOCKROW const* out) const;
    // The same, handing each block b's coefficients to out as they come: out.dc(b, value), then
    // out.ac(b, k, value) for each AC coefficient present, in zig-zag order, then out.end(b).
    template <typename Out>
    bool decodeTo(const uint8_t* data, uint64_t end, uint64_t& pos, int32_t* dc, Out& out) const;

  private:
    // The 64 bits of data from the byte holding bit pos, shifted so that bit pos comes first: at
    // least 57 of them are data.
    static quint64 load(const uint8_t* data, uint64_t pos)
    {
        quint64 word = 0;
        std::memcpy(&word, data + (pos >> 3), sizeof word);
        return qFromBigEndian(word) << (pos & 7);
    }
    // The value of an s-bit magnitude category (JPEG's EXTEND).
    static int extend(uint32_t bits, int s)
    {
        return bits < (1u << (s - 1)) ? int(bits) - (1 << s) + 1 : int(bits);
    }

    int m_blocks = 0;
    int m_components = 0;
    int m_mcusPerRow = 0;
    int64_t m_mcuCount = 0;
    std::array<int, kMaxBlocks> m_component{};
    std::array<int, kMaxBlocks> m_dx{};
    std::array<int, kMaxBlocks> m_dy{};
    std::array<int, MAX_COMPONENTS> m_mcuWidth{};
    std::array<int, MAX_COMPONENTS> m_mcuHeight{};
    std::array<HuffmanTable, NUM_HUFF_TBLS> m_dcTables{};
    std::array<HuffmanTable, NUM_HUFF_TBLS> m_acTables{};
    std::array<const HuffmanTable*, kMaxBlocks> m_dc{};
    std::array<const HuffmanTable*, kMaxBlocks> m_ac{};
};

template <typename Out>
bool McuDecoder::decodeTo(const uint8_t* data, uint64_t end, uint64_t& pos, int32_t* dc,
                          Out& out) const
{
    // The next 57 or more bits in a register; taken bits are counted in used and the register is
    // loaded again before a code and its extra bits (up to 31) could run past them. Past the end
    // it is loaded with the padding, and the caller finds pos past the end.
    quint64 word = load(data, std::min(pos, end));
    int used = 0;
    const auto next = [&] {
        if (used > 25) {
            pos += uint64_t(used);
            word = load(data, std::min(pos, end));
            used = 0;
        }
        return uint32_t((word << used) >> 32);
    };
    for (int b = 0; b < m_blocks; ++b) {
        int length = 0;
        uint32_t bits = next();
        const int s = m_dc[size_t(b)]->decode(bits, length);
        if (s < 0)
            return false;
        const int diff = s == 0 ? 0 : extend((bits << length) >> (32 - s), s);
        used += length + s;
        int32_t& last = dc[m_component[size_t(b)]];
        last = int32_t(uint32_t(last) + uint32_t(diff)); // wraps as libjpeg's does
        out.dc(b, last);
        const HuffmanTable& ac = *m_ac[size_t(b)];
        for (int k = 1; k < DCTSIZE2; ++k) {
            bits = next();
            const uint32_t entry = ac.coefficient(bits);
            if (entry != 0) {
                used += int(entry & 31);
                if (entry & HuffmanTable::kEnd)
                    break;
                if (entry & HuffmanTable::kSkip16) {
                    k += 15;
                    continue;
                }
                k += int(entry >> 5 & 15);
                if (k >= DCTSIZE2)
                    return false;
                out.ac(b, k, int16_t(entry >> 16));
                continue;
            }
            const int rs = ac.decode(bits, length);
            if (rs < 0)
                return false;
            const int run = rs >> 4, size = rs & 15;
            if (size == 0) {
                used += length;
                if (run != 15)
                    break;
                k += 15;
                continue;
            }
            k += run;
            if (k >= DCTSIZE2)
                return false;
            out.ac(b, k, extend((bits << length) >> (32 - size), size));
            used += length + size;
        }
        out.end(b);
    }
    pos += uint64_t(used);
    return true;
}
