// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoefficientMapper.h"

#include "ZigZag.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace {
// The 8-point orthonormal DCT, the transform JPEG blocks are coded in.
double dct(int u, int n)
{
    const double c = u == 0 ? std::sqrt(1.0 / 8) : std::sqrt(2.0 / 8);
    return c * std::cos((2 * n + 1) * u * std::numbers::pi / 16);
}

// Two neighbouring blocks' coefficients (16) to the coefficients of their samples averaged in
// pairs (8): the chroma downsampling an encoder does, done on coefficients.
struct HalvingMatrix
{
    float m[8][16] = {};
    float t[16][8] = {}; // m transposed, for sums that run along the output row
    HalvingMatrix()
    {
        for (int u = 0; u < 8; ++u)
            for (int b = 0; b < 2; ++b)
                for (int k = 0; k < 8; ++k) {
                    double sum = 0;
                    for (int n = 0; n < 8; ++n) {
                        // output sample n averages input samples 2n and 2n + 1
                        for (int m = 2 * n; m <= 2 * n + 1; ++m)
                            if (m / 8 == b)
                                sum += dct(u, n) * 0.5 * dct(k, m % 8);
                    }
                    m[u][8 * b + k] = float(sum);
                    t[8 * b + k][u] = float(sum);
                }
    }
};
const HalvingMatrix& halving()
{
    static const HalvingMatrix matrix;
    return matrix;
}

// What baseline Huffman coding can carry, per coefficient.
constexpr auto kLimits = [] {
    std::array<int, 64> limits{};
    limits.fill(1023);
    limits[0] = 2047;
    return limits;
}();

int16_t quantized(float value, int k)
{
    // Halves away from zero, as libjpeg rounds; written so that the loops using it vectorize.
    const int rounded = int(value + std::copysign(0.5f, value));
    return int16_t(std::clamp(rounded, -kLimits[size_t(k)], kLimits[size_t(k)]));
}
} // namespace

CoefficientMapper::CoefficientMapper(const BlockLayout& layout, int component,
                                     const uint16_t* sourceTable, const uint16_t* outTable)
    : m_layout(layout), m_component(component)
{
    for (int k = 0; k < 64; ++k) {
        const int outU = k % 8, outV = k / 8;
        const int u = layout.transpose ? outV : outU;
        const int v = layout.transpose ? outU : outV;
        // Mirroring a block negates its odd frequencies along the mirrored axis.
        const bool negate = (layout.flipX && (u & 1)) != (layout.flipY && (v & 1));
        m_index[k] = v * 8 + u;
        m_divisor[k] = (negate ? -1.0f : 1.0f) / float(outTable[k]);
        m_factor[k] = m_divisor[k] * float(sourceTable[m_index[k]]);
    }
    m_straight = !layout.transpose;
    std::array<int, 64> zigzagOf{};
    for (int z = 0; z < 64; ++z)
        zigzagOf[kNatural[size_t(z)]] = z;
    for (int k = 0; k < 64; ++k) {
        m_sourceFactor[m_index[k]] = m_factor[k];
        m_zigzagFrom[zigzagOf[size_t(m_index[k])]] = zigzagOf[size_t(k)];
    }
}

std::pair<int, int> CoefficientMapper::sourceOf(int x, int y, int width, int height) const
{
    Source source;
    source.width = width;
    source.height = height;
    int gx = 0, gy = 0;
    sourceBlock(source, x, y, gx, gy);
    return {gx, gy};
}

void CoefficientMapper::sourceBlock(const Source& source, int x, int y, int& gx, int& gy) const
{
    const int dx = m_layout.downX[size_t(m_component)];
    const int dy = m_layout.downY[size_t(m_component)];
    const int gridW = (source.width + dx - 1) / dx;
    const int gridH = (source.height + dy - 1) / dy;
    gx = m_layout.transpose ? y : x;
    gy = m_layout.transpose ? x : y;
    if (m_layout.flipX)
        gx = gridW - 1 - gx;
    if (m_layout.flipY)
        gy = gridH - 1 - gy;
    // Padding blocks past the picture's edge copy the nearest real one.
    gx = std::clamp(gx, 0, gridW - 1);
    gy = std::clamp(gy, 0, gridH - 1);
}

void CoefficientMapper::merged(const Source& source, int gx, int gy, float* out) const
{
    const int dx = m_layout.downX[size_t(m_component)];
    const int dy = m_layout.downY[size_t(m_component)];
    const auto& h = halving().m;
    // Dequantized source blocks, then halved down the columns, then along the rows.
    float columns[2][64] = {};
    for (int i = 0; i < dx; ++i) {
        const int sx = std::min(gx * dx + i, source.width - 1);
        for (int j = 0; j < dy; ++j) {
            const int sy = std::min(gy * dy + j, source.height - 1);
            const int16_t* in = source.rows[sy][sx];
            for (int kv = 0; kv < 8; ++kv) {
                const int16_t* row = in + ptrdiff_t(kv) * 8;
                if (std::all_of(row, row + 8, [](int16_t c) { return c == 0; }))
                    continue;
                float deq[8];
                for (int ku = 0; ku < 8; ++ku)
                    deq[ku] = float(row[ku]) * float(source.table[kv * 8 + ku]);
                if (dy == 1) {
                    std::copy(deq, deq + 8, columns[i] + ptrdiff_t(kv) * 8);
                    continue;
                }
                for (int v = 0; v < 8; ++v) {
                    const float w = h[v][8 * j + kv];
                    for (int ku = 0; ku < 8; ++ku)
                        columns[i][v * 8 + ku] += w * deq[ku];
                }
            }
        }
    }
    if (dx == 1) {
        std::copy(columns[0], columns[0] + 64, out);
        return;
    }
    const auto& t = halving().t;
    for (int v = 0; v < 8; ++v) {
        float row[8] = {};
        for (int i = 0; i < 2; ++i)
            for (int ku = 0; ku < 8; ++ku) {
                const float c = columns[i][v * 8 + ku];
                if (c == 0)
                    continue;
                for (int u = 0; u < 8; ++u)
                    row[u] += t[8 * i + ku][u] * c;
            }
        std::copy(row, row + 8, out + ptrdiff_t(v) * 8);
    }
}

void CoefficientMapper::map(const Source& source, int x, int y, int16_t* out) const
{
    int gx = 0, gy = 0;
    sourceBlock(source, x, y, gx, gy);
    const auto c = size_t(m_component);
    if (m_layout.downX[c] == 1 && m_layout.downY[c] == 1) {
        const int16_t* in = source.rows[gy][gx];
        if (m_straight) {
            // Also where out is in: each coefficient is read before it is written.
            int16_t block[64];
            for (int k = 0; k < 64; ++k)
                block[k] = quantized(float(in[k]) * m_factor[k], k);
            std::copy(block, block + 64, out);
            return;
        }
        for (int k = 0; k < 64; ++k)
            out[k] = quantized(float(in[m_index[k]]) * m_factor[k], k);
        return;
    }
    float block[64];
    merged(source, gx, gy, block);
    for (int k = 0; k < 64; ++k)
        out[k] = quantized(block[m_index[k]] * m_divisor[k], k);
}
