// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HuffmanTable.h"

#include <array>
#include <cstdint>
#include <cstdio>
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

  private:
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
