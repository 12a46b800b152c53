// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BlockLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

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
    // Coefficient n (row-major) of a source block not halved, quantized anew for the output
    // place it takes: as map() gives it. Halves away from zero, as libjpeg rounds.
    [[nodiscard]] int16_t requantized(int value, int n) const
    {
        const float scaled = float(value) * m_sourceFactor[n];
        const int rounded = int(scaled + std::copysign(0.5f, scaled));
        const int limit = n == 0 ? 2047 : 1023; // what baseline Huffman coding can carry
        return int16_t(std::clamp(rounded, -limit, limit));
    }
    // The zig-zag position a source block's coefficient at zig-zag position z takes in the output.
    [[nodiscard]] int zigzagFrom(int z) const { return m_zigzagFrom[z]; }
    [[nodiscard]] bool turns() const { return m_layout.moves(); }
    // The source block output block (x, y) is made from, of a component not halved whose source
    // is width × height blocks: across and down.
    [[nodiscard]] std::pair<int, int> sourceOf(int x, int y, int width, int height) const;

  private:
    void sourceBlock(const Source& source, int x, int y, int& gx, int& gy) const;
    void merged(const Source& source, int gx, int gy, float* out) const;

    BlockLayout m_layout;
    int m_component = 0;
    int m_index[64] = {};          // output coefficient k comes from source coefficient m_index[k]
    float m_divisor[64] = {};      // ... dequantized, times this: its sign over the output step
    float m_factor[64] = {};       // ... as stored, times this: the same with the source step
    bool m_straight = false;       // m_index is k itself: the block is not turned
    float m_sourceFactor[64] = {}; // m_factor by the source coefficient's place
    int m_zigzagFrom[64] = {};
};
