// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtEndian>

#include <cstddef>
#include <cstdint>
#include <span>

// Bits least significant first, as deflate packs them, through a register refilled a word at a
// time (libdeflate's own way): the chain from one code to the next stays short.
class DeflateBits
{
  public:
    explicit DeflateBits(std::span<const uint8_t> data) : m_data(data) {}

    // At least 56 bits in the register; past the end of the data they are zeros.
    void refill()
    {
        if (m_next + 8 <= m_data.size()) {
            m_buffer |= qFromLittleEndian<quint64>(m_data.data() + m_next) << m_have;
            m_next += size_t(63 - m_have) >> 3;
            m_have |= 56;
            return;
        }
        for (; m_have <= 56; m_have += 8, ++m_next)
            if (m_next < m_data.size())
                m_buffer |= uint64_t(m_data[m_next]) << m_have;
    }
    [[nodiscard]] uint64_t peek() const { return m_buffer; }
    void drop(int n)
    {
        m_buffer >>= n;
        m_have -= n;
    }
    uint32_t take(int n)
    {
        if (m_have < n)
            refill();
        const auto v = uint32_t(m_buffer & ((uint64_t(1) << n) - 1));
        drop(n);
        return v;
    }
    [[nodiscard]] int have() const { return m_have; }
    [[nodiscard]] size_t position() const { return m_next * 8 - size_t(m_have); }
    [[nodiscard]] bool overrun() const { return position() > m_data.size() * 8; }
    void seek(size_t bit)
    {
        m_next = bit / 8;
        m_buffer = 0;
        m_have = 0;
        take(int(bit % 8));
    }

  private:
    std::span<const uint8_t> m_data;
    size_t m_next = 0; // the byte after those in the register
    uint64_t m_buffer = 0;
    int m_have = 0;
};
