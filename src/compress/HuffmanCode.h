// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// A Huffman code made for the symbol counts of one JPEG scan, as the JPEG standard's Annex K.2
// builds it (libjpeg's optimize_coding makes the same): what a DHT marker carries, and each
// symbol's code for writing.
class HuffmanCode
{
  public:
    using Counts = std::array<int64_t, 256>;

    // False when the counts are beyond what the construction takes (a billion or more of one).
    bool build(const Counts& counts);

    // Codes of each length 1..16 (index 0 unused), then the symbols by code length.
    [[nodiscard]] const std::array<uint8_t, 17>& lengths() const { return m_bits; }
    [[nodiscard]] const std::array<uint8_t, 256>& symbols() const { return m_symbols; }
    [[nodiscard]] int symbolCount() const { return m_count; }

    [[nodiscard]] uint32_t code(int symbol) const { return m_code[size_t(symbol)]; }
    [[nodiscard]] int size(int symbol) const { return m_size[size_t(symbol)]; }

  private:
    std::array<uint8_t, 17> m_bits{};
    std::array<uint8_t, 256> m_symbols{};
    int m_count = 0;
    std::array<uint32_t, 256> m_code{};
    std::array<uint8_t, 256> m_size{};
};
