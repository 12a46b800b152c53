// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// How the 8 × 8 blocks of one JPEG become those of another without leaving the DCT domain: which
// way the picture turns (an EXIF orientation) and how much each component's samples are halved.
struct BlockLayout
{
    static constexpr int kMaxComponents = 4;

    bool transpose = false; // output x runs along the source's y
    bool flipX = false;     // the source's x runs backwards (in source orientation)
    bool flipY = false;
    int components = 0;
    // Per component, in source orientation: 2 where two source blocks merge into one.
    std::array<int, kMaxComponents> downX{1, 1, 1, 1};
    std::array<int, kMaxComponents> downY{1, 1, 1, 1};
    // Per component, of the output: its sampling factors and its block counts as allocated.
    std::array<int, kMaxComponents> hSamp{1, 1, 1, 1};
    std::array<int, kMaxComponents> vSamp{1, 1, 1, 1};
    std::array<int, kMaxComponents> widthInBlocks{};
    std::array<int, kMaxComponents> heightInBlocks{};

    // The turn that puts a picture stored with EXIF orientation 1..8 upright.
    static BlockLayout forOrientation(int orientation);
    [[nodiscard]] bool moves() const { return transpose || flipX || flipY; }
};
