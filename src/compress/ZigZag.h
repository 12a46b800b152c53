// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>

// Zig-zag position to the block's row-major position: the order a scan codes coefficients in.
inline constexpr std::array<uint8_t, 64> kNatural = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The AC coefficients a block in natural order holds (not 0), as a mask of zig-zag positions
// 1..63.
[[nodiscard]] uint64_t presentAc(const JCOEF* block);
