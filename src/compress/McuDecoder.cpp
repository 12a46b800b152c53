// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "McuDecoder.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
// Zig-zag position to the block's row-major position.
constexpr std::array<uint8_t, 64> kNatural = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The 64 bits of data from the byte holding bit pos, shifted so that bit pos comes first: at least
// 57 of them are data.
quint64 load(const uint8_t* data, uint64_t pos)
{
    quint64 word = 0;
    std::memcpy(&word, data + (pos >> 3), sizeof word);
    return qFromBigEndian(word) << (pos & 7);
}

// The value of an s-bit magnitude category (JPEG's EXTEND).
int extend(uint32_t bits, int s)
{
    return bits < (1u << (s - 1)) ? int(bits) - (1 << s) + 1 : int(bits);
}

bool build(HuffmanTable& table, const JHUFF_TBL* from, bool dc)
{
    return from && table.build(from->bits, from->huffval, dc);
}
} // namespace

bool McuDecoder::plan(const jpeg_decompress_struct& info)
{
    if (info.progressive_mode || info.arith_code || info.data_precision != 8 ||
        info.comps_in_scan != info.num_components || info.num_components > MAX_COMPS_IN_SCAN ||
        info.Ss != 0 || info.Se != DCTSIZE2 - 1 || info.Ah != 0 || info.Al != 0)
        return false;
    m_components = info.num_components;
    m_blocks = 0;
    const bool interleaved = info.comps_in_scan > 1;
    const jpeg_component_info* first = info.cur_comp_info[0];
    const int mcuPixelsX = info.max_h_samp_factor * DCTSIZE;
    const int mcuPixelsY = info.max_v_samp_factor * DCTSIZE;
    m_mcusPerRow = interleaved ? int((info.image_width + mcuPixelsX - 1) / mcuPixelsX)
                               : int(first->width_in_blocks);
    const int64_t rows = interleaved ? int64_t((info.image_height + mcuPixelsY - 1) / mcuPixelsY)
                                     : int64_t(first->height_in_blocks);
    m_mcuCount = int64_t(m_mcusPerRow) * rows;
    for (int i = 0; i < info.comps_in_scan; ++i) {
        const jpeg_component_info* comp = info.cur_comp_info[i];
        const int c = comp->component_index;
        const int h = interleaved ? comp->h_samp_factor : 1;
        const int v = interleaved ? comp->v_samp_factor : 1;
        if (c < 0 || c >= m_components || comp->dc_tbl_no < 0 || comp->dc_tbl_no >= NUM_HUFF_TBLS ||
            comp->ac_tbl_no < 0 || comp->ac_tbl_no >= NUM_HUFF_TBLS ||
            m_blocks + h * v > kMaxBlocks)
            return false;
        if (!build(m_dcTables[size_t(comp->dc_tbl_no)], info.dc_huff_tbl_ptrs[comp->dc_tbl_no],
                   true) ||
            !build(m_acTables[size_t(comp->ac_tbl_no)], info.ac_huff_tbl_ptrs[comp->ac_tbl_no],
                   false))
            return false;
        m_mcuWidth[size_t(c)] = h;
        m_mcuHeight[size_t(c)] = v;
        for (int y = 0; y < v; ++y)
            for (int x = 0; x < h; ++x, ++m_blocks) {
                const auto b = size_t(m_blocks);
                m_component[b] = c;
                m_dx[b] = x;
                m_dy[b] = y;
                m_dc[b] = &m_dcTables[size_t(comp->dc_tbl_no)];
                m_ac[b] = &m_acTables[size_t(comp->ac_tbl_no)];
            }
    }
    return m_mcuCount > 0;
}

bool McuDecoder::decode(const uint8_t* data, uint64_t end, uint64_t& pos, int32_t* dc,
                        JBLOCKROW const* out) const
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
        JCOEF* block = out[b][0];
        int length = 0;
        uint32_t bits = next();
        const int s = m_dc[size_t(b)]->decode(bits, length);
        if (s < 0)
            return false;
        const int diff = s == 0 ? 0 : extend((bits << length) >> (32 - s), s);
        used += length + s;
        int32_t& last = dc[m_component[size_t(b)]];
        last = int32_t(uint32_t(last) + uint32_t(diff)); // wraps as libjpeg's does
        block[0] = JCOEF(last);
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
                block[kNatural[size_t(k)]] = JCOEF(int16_t(entry >> 16));
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
            block[kNatural[size_t(k)]] = JCOEF(extend((bits << length) >> (32 - size), size));
            used += length + size;
        }
    }
    pos += uint64_t(used);
    return true;
}
