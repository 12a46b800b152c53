// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BlockLayout.h"

#include <algorithm>
#include <cstdio>
#include <jpeglib.h>
#include <utility>

namespace {
// Above this many pixels the coefficients alone would take too much memory.
constexpr qint64 kMaxPixels = 150'000'000;

int roundUp(int value, int step)
{
    return (value + step - 1) / step * step;
}
} // namespace

BlockLayout BlockLayout::forOrientation(int orientation)
{
    BlockLayout l;
    switch (orientation) {
    case 2:
        l.flipX = true;
        break;
    case 3:
        l.flipX = l.flipY = true;
        break;
    case 4:
        l.flipY = true;
        break;
    case 5:
        l.transpose = true;
        break;
    case 6:
        l.transpose = l.flipY = true;
        break;
    case 7:
        l.transpose = l.flipX = l.flipY = true;
        break;
    case 8:
        l.transpose = l.flipX = true;
        break;
    default:
        break;
    }
    return l;
}

BlockLayout BlockLayout::plan(const jpeg_decompress_struct& src, int orientation, QString& refusal)
{
    const bool gray = src.jpeg_color_space == JCS_GRAYSCALE && src.num_components == 1;
    const bool ycc = src.jpeg_color_space == JCS_YCbCr && src.num_components == 3;
    if (src.data_precision != 8 || !(gray || ycc)) {
        refusal = QStringLiteral("not an 8-bit YCbCr or grey JPEG");
        return {};
    }
    // libjpeg's decoder only takes whole ratios (no 3 against 2): such a layout copied over
    // would give a file nothing opens.
    for (int c = 0; c < src.num_components; ++c)
        if (src.max_h_samp_factor % src.comp_info[c].h_samp_factor != 0 ||
            src.max_v_samp_factor % src.comp_info[c].v_samp_factor != 0) {
            refusal = QStringLiteral("fractional chroma sampling");
            return {};
        }
    const int w = int(src.image_width), h = int(src.image_height);
    if (qint64(w) * h > kMaxPixels) {
        refusal = QStringLiteral("too large");
        return {};
    }
    BlockLayout layout = forOrientation(orientation);
    layout.components = src.num_components;
    const jpeg_component_info* comp = src.comp_info;
    // 4:2:0 like a fresh encoding: luma at 2 × 2, chroma halved where the source kept more.
    const bool halvable = ycc && comp[1].h_samp_factor == 1 && comp[1].v_samp_factor == 1 &&
                          comp[2].h_samp_factor == 1 && comp[2].v_samp_factor == 1 &&
                          comp[0].h_samp_factor <= 2 && comp[0].v_samp_factor <= 2;
    int hMax = 1, vMax = 1; // of the output, in source orientation
    for (int c = 0; c < layout.components; ++c) {
        int hs = gray ? 1 : comp[c].h_samp_factor, vs = gray ? 1 : comp[c].v_samp_factor;
        if (halvable && c > 0) {
            layout.downX[size_t(c)] = 2 / comp[0].h_samp_factor;
            layout.downY[size_t(c)] = 2 / comp[0].v_samp_factor;
        } else if (halvable) {
            hs = vs = 2;
        }
        layout.hSamp[size_t(c)] = hs;
        layout.vSamp[size_t(c)] = vs;
        hMax = std::max(hMax, hs);
        vMax = std::max(vMax, vs);
    }
    // A mirrored axis puts the partial blocks at the far edge first: only whole ones can turn.
    const int srcH = gray ? 1 : src.max_h_samp_factor, srcV = gray ? 1 : src.max_v_samp_factor;
    if ((layout.flipX && w % (8 * std::max(hMax, srcH)) != 0) ||
        (layout.flipY && h % (8 * std::max(vMax, srcV)) != 0)) {
        refusal = QStringLiteral("edge blocks do not fit the turn");
        return {};
    }
    layout.upright = layout.transpose ? QSize(h, w) : QSize(w, h);
    if (layout.transpose) {
        std::swap(hMax, vMax);
        std::swap(layout.hSamp, layout.vSamp);
    }
    for (int c = 0; c < layout.components; ++c) {
        const auto i = size_t(c);
        const int compW = (layout.upright.width() * layout.hSamp[i] + hMax - 1) / hMax;
        const int compH = (layout.upright.height() * layout.vSamp[i] + vMax - 1) / vMax;
        layout.realWidth[i] = (compW + 7) / 8;
        layout.realHeight[i] = (compH + 7) / 8;
        layout.widthInBlocks[i] = roundUp(layout.realWidth[i], layout.hSamp[i]);
        layout.heightInBlocks[i] = roundUp(layout.realHeight[i], layout.vSamp[i]);
    }
    return layout;
}
