// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BlockLayout.h"

#include <cstdint>

// Fills one output component's coefficient blocks from a source component's: turned, with halved
// chroma where asked, and quantized anew. Works on plain block rows so it needs no codec state.
class CoefficientMapper
{
  public:
    using Block = int16_t[64]; // natural (row-major) order, as libjpeg keeps it

    // Source component: its blocks, how many there are, and the table they were quantized with.
    struct Source
    {
        Block* const* rows = nullptr; // rows[y][x]
        int width = 0;
        int height = 0;
        const uint16_t* table = nullptr;
    };

    CoefficientMapper(const BlockLayout& layout, int component, const uint16_t* sourceTable,
                      const uint16_t* outTable);

    // Output block (x, y), in output orientation, written to out.
    void map(const Source& source, int x, int y, int16_t* out) const;

  private:
    void sourceBlock(const Source& source, int x, int y, int& gx, int& gy) const;
    void merged(const Source& source, int gx, int gy, float* out) const;

    BlockLayout m_layout;
    int m_component = 0;
    int m_index[64] = {};     // output coefficient k comes from source coefficient m_index[k]
    float m_divisor[64] = {}; // ... dequantized, times this: its sign over the output step
    float m_factor[64] = {};  // ... as stored, times this: the same with the source step
    bool m_straight = false;  // m_index is k itself: the block is not turned
};
