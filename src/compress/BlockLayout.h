// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

#include <array>

struct jpeg_decompress_struct;

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
    // ... and the blocks that hold picture, without the padding to whole MCUs.
    std::array<int, kMaxComponents> realWidth{};
    std::array<int, kMaxComponents> realHeight{};
    QSize upright; // the output picture's size

    // The turn that puts a picture stored with EXIF orientation 1..8 upright.
    static BlockLayout forOrientation(int orientation);
    // The layout that turns a read JPEG header upright (orientation 1..8) into 4:2:0 like a fresh
    // encoding; refusal says why when it cannot be done in the DCT domain.
    static BlockLayout plan(const jpeg_decompress_struct& src, int orientation, QString& refusal);
    [[nodiscard]] bool moves() const { return transpose || flipX || flipY; }
};
