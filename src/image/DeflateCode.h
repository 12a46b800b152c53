// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DeflateBits.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

// A canonical Huffman code as deflate uses one. Read: a table for codes of up to kFast bits,
// counted codes beyond; an entry holds the symbol, its kind, and the bits of its code and extra
// bits together, so that skipping a symbol is one lookup and one shift. Written: lengths from
// symbol counts and the codes those lengths give.
class DeflateCode
{
  public:
    enum class Alphabet : uint8_t
    {
        CodeLengths,
        Literals,
        Distances
    };
    enum Kind : uint32_t
    {
        kPlain,
        kCopy,
        kEnd,
        kInvalid
    };
    static constexpr int kFast = 10;

    // What a symbol is, and how many extra bits follow it (those of the code lengths' repeats
    // are read by their reader).
    static std::pair<int, Kind> meaning(Alphabet alphabet, int symbol);
    static uint32_t kindOf(uint32_t entry) { return (entry >> 8) & 0xff; }
    static int bitsOf(uint32_t entry) { return int(entry & 0xff); }
    // Huffman code lengths for symbol counts (0: unused). With two symbols or more in use the
    // code is complete, as every inflater accepts.
    static std::vector<uint8_t> lengthsFor(std::span<const size_t> counts);
    // The canonical codes of lengths, bit-reversed: deflate writes a code from its highest bit.
    static std::vector<uint16_t> codesFor(std::span<const uint8_t> lengths);

    // False when the lengths allow no code (more codes of some length than there is room for).
    bool build(const uint8_t* lengths, int n, Alphabet alphabet);
    // The table's entry for the bits in front; 0 for a code longer than the table's.
    [[nodiscard]] uint32_t entry(uint64_t bits) const { return m_fast[bits & ((1u << kFast) - 1)]; }
    // Reads the next symbol and its extra bits: the symbol, or -1 for bits that are no code.
    // Needs 15 bits and the extra bits in the register.
    int decode(DeflateBits& in) const;

  private:
    std::array<uint32_t, 1 << kFast> m_fast{};
    std::array<uint16_t, 16> m_count{};
    std::array<uint16_t, 288> m_symbol{};
    Alphabet m_alphabet = Alphabet::CodeLengths;
};
