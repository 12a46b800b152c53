// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <vector>

// Bits into bytes, first bit highest; lead zero bits come first, for a part that starts within a
// byte. At most 32 bits a time.
class BitWriter
{
  public:
    BitWriter(std::vector<uint8_t>& bytes, int lead, uint64_t bits) : m_count(lead)
    {
        bytes.assign(size_t((uint64_t(lead) + bits + 7) / 8 + 8), 0);
        m_out = bytes.data();
    }
    void put(uint32_t bits, int n)
    {
        m_acc = m_acc << n | bits;
        m_count += n;
        if (m_count >= 32) {
            m_count -= 32;
            qToBigEndian(uint32_t(m_acc >> m_count), m_out);
            m_out += 4;
        }
    }
    void finish()
    {
        for (; m_count >= 8; m_count -= 8)
            *m_out++ = uint8_t(m_acc >> (m_count - 8));
        if (m_count > 0)
            *m_out = uint8_t(m_acc << (8 - m_count));
    }

    // bytes with a zero after each 0xFF, as a scan's data must have them.
    static void appendStuffed(QByteArray& out, const uint8_t* bytes, size_t n);

  private:
    uint64_t m_acc = 0;
    int m_count = 0;
    uint8_t* m_out = nullptr;
};
