// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "McuDecoder.h"

#include "ZigZag.h"

#include <algorithm>
#include <cstring>

namespace {
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
    // Into zeroed blocks: only what the data holds is written.
    struct Blocks
    {
        JBLOCKROW const* out;
        void dc(int b, int32_t value) const { out[b][0][0] = JCOEF(value); }
        void ac(int b, int k, int value) const { out[b][0][kNatural[size_t(k)]] = JCOEF(value); }
        void end(int /*b*/) const {}
    } blocks{out};
    return decodeTo(data, end, pos, dc, blocks);
}
