// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeflateWalk.h"

#include <QtEndian>

#include <array>

namespace {
// Bits least significant first, as deflate packs them, through a register refilled a word at a
// time (libdeflate's own way): the chain from one code to the next stays short.
class Bits
{
  public:
    explicit Bits(std::span<const uint8_t> data) : m_data(data) {}

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

// A canonical Huffman code: a table for codes of up to kFast bits, counted codes beyond.
class Code
{
  public:
    static constexpr int kFast = 10;

    bool build(const uint8_t* lengths, int n)
    {
        m_count.fill(0);
        for (int i = 0; i < n; ++i)
            ++m_count[lengths[i]];
        m_count[0] = 0;
        int left = 1;
        for (int len = 1; len < 16; ++len)
            if ((left = 2 * left - m_count[len]) < 0)
                return false; // more codes than lengths allow
        std::array<uint16_t, 16> offset{};
        for (int len = 1; len < 15; ++len)
            offset[len + 1] = uint16_t(offset[len] + m_count[len]);
        for (int i = 0; i < n; ++i)
            if (lengths[i] != 0)
                m_symbol[offset[lengths[i]]++] = uint16_t(i);
        m_fast.fill(0);
        uint32_t code = 0;
        int k = 0;
        for (int len = 1; len <= kFast; ++len, code <<= 1)
            for (int j = 0; j < m_count[len]; ++j, ++k, ++code) {
                uint32_t reversed = 0;
                for (int b = 0; b < len; ++b)
                    reversed |= ((code >> b) & 1) << (len - 1 - b);
                for (uint32_t e = reversed; e < (1u << kFast); e += 1u << len)
                    m_fast[e] = uint16_t(m_symbol[k] << 4 | len);
            }
        return true;
    }

    // The next symbol, or -1 for bits that are no code; needs 15 bits in the register.
    int decode(Bits& in) const
    {
        const uint64_t bits = in.peek();
        if (const uint16_t e = m_fast[bits & ((1u << kFast) - 1)]; e != 0) {
            in.drop(e & 15);
            return e >> 4;
        }
        int code = 0;
        int first = 0;
        int index = 0;
        for (int len = 1; len < 16; ++len) {
            code |= int((bits >> (len - 1)) & 1);
            const int count = m_count[len];
            if (code - count < first) {
                in.drop(len);
                return m_symbol[size_t(index + code - first)];
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

  private:
    std::array<uint16_t, 1 << kFast> m_fast{}; // symbol << 4 | length; 0 for longer codes
    std::array<uint16_t, 16> m_count{};
    std::array<uint16_t, 288> m_symbol{};
};

constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint8_t kLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                      11, 4,  12, 3, 13, 2, 14, 1, 15};

// Reads a block's symbols up to its end; false on bits that are no symbol.
bool skipSymbols(Bits& in, const Code& literals, const Code& distances)
{
    for (;;) {
        // A length, its extra bits, a distance and its extra bits: at most 48 bits.
        if (in.have() < 48) {
            in.refill();
            if (in.overrun())
                return false; // zeros past the end would read as symbols for ever
        }
        const int s = literals.decode(in);
        if (s < 256) {
            if (s < 0)
                return false;
            continue;
        }
        if (s == 256)
            return true;
        if (s > 285)
            return false;
        in.drop(kLengthExtra[s - 257]);
        const int d = distances.decode(in);
        if (d < 0 || d > 29)
            return false;
        in.drop(kDistanceExtra[d]);
    }
}

bool readTables(Bits& in, Code& literals, Code& distances)
{
    const int literalCount = int(in.take(5)) + 257;
    const int distanceCount = int(in.take(5)) + 1;
    const int lengthCount = int(in.take(4)) + 4;
    uint8_t codeLengths[19] = {};
    for (int i = 0; i < lengthCount; ++i)
        codeLengths[kLengthOrder[i]] = uint8_t(in.take(3));
    Code lengthCode;
    if (!lengthCode.build(codeLengths, 19))
        return false;
    uint8_t lengths[288 + 32] = {};
    const int total = literalCount + distanceCount;
    for (int i = 0; i < total;) {
        in.refill();
        const int s = lengthCode.decode(in);
        if (s < 0)
            return false;
        if (s < 16) {
            lengths[i++] = uint8_t(s);
            continue;
        }
        if (s == 16 && i == 0)
            return false;
        const uint8_t value = s == 16 ? lengths[i - 1] : 0;
        const int repeat = s == 16   ? 3 + int(in.take(2))
                           : s == 17 ? 3 + int(in.take(3))
                                     : 11 + int(in.take(7));
        if (i + repeat > total)
            return false;
        for (int r = 0; r < repeat; ++r)
            lengths[i++] = value;
    }
    return literals.build(lengths, literalCount) &&
           distances.build(lengths + literalCount, distanceCount);
}

void fixedTables(Code& literals, Code& distances)
{
    uint8_t lengths[288];
    std::fill_n(lengths, 144, 8);
    std::fill_n(lengths + 144, 112, 9);
    std::fill_n(lengths + 256, 24, 7);
    std::fill_n(lengths + 280, 8, 8);
    literals.build(lengths, 288);
    std::fill_n(lengths, 30, 5);
    distances.build(lengths, 30);
}
} // namespace

std::optional<DeflateWalk::End> DeflateWalk::walk(std::span<const uint8_t> data)
{
    Bits in(data);
    Code literals;
    Code distances;
    bool stored = false;
    for (;;) {
        const size_t header = in.position();
        const uint32_t final = in.take(1);
        const uint32_t type = in.take(2);
        if (type == 0) {
            stored = true;
            in.seek((in.position() + 7) & ~size_t(7));
            const uint32_t length = in.take(16);
            if ((in.take(16) ^ 0xffffu) != length)
                return {};
            in.seek(in.position() + size_t(length) * 8);
        } else if (type == 1 || type == 2) {
            if (type == 1)
                fixedTables(literals, distances);
            else if (!readTables(in, literals, distances))
                return {};
            if (!skipSymbols(in, literals, distances))
                return {};
        } else {
            return {};
        }
        if (in.overrun())
            return {};
        if (final != 0)
            return End{header, in.position(), stored};
    }
}
