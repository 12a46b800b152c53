// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Finds where a raw deflate stream ends, to the bit, and where its last block starts: what it
// takes to let another stream follow it. libdeflate compresses whole buffers only and cannot say.
// The symbols are read, not decoded, so this costs a fraction of inflating.
namespace DeflateWalk {
struct End
{
    size_t finalHeaderBit = 0; // the last block's "final" flag
    size_t endBit = 0;         // the first bit after the stream
    bool stored = false;       // has a stored block, whose bytes lie where the stream's bytes do
};
// Empty when data is not one whole deflate stream.
std::optional<End> walk(std::span<const uint8_t> data);
} // namespace DeflateWalk
