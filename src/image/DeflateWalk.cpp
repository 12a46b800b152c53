// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeflateWalk.h"

#include <QtEndian>

#include <array>
#include <utility>

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

constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint8_t kLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                      11, 4,  12, 3, 13, 2, 14, 1, 15};

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

// What a symbol is, and how many extra bits follow it (those of the code lengths' repeats are
// read by their reader).
std::pair<int, Kind> meaning(Alphabet alphabet, int symbol)
{
    if (alphabet == Alphabet::Literals)
        return symbol < 256    ? std::pair{0, kPlain}
               : symbol == 256 ? std::pair{0, kEnd}
               : symbol <= 285 ? std::pair{int(kLengthExtra[symbol - 257]), kCopy}
                               : std::pair{0, kInvalid};
    if (alphabet == Alphabet::Distances)
        return symbol < 30 ? std::pair{int(kDistanceExtra[symbol]), kPlain}
                           : std::pair{0, kInvalid};
    return {0, kPlain};
}

// Every number of 10 bits with its bits in reverse order.
constexpr std::array<uint16_t, 1024> kReversed = [] {
    std::array<uint16_t, 1024> table{};
    for (uint32_t i = 0; i < table.size(); ++i)
        for (int b = 0; b < 10; ++b)
            table[i] |= uint16_t(((i >> b) & 1) << (9 - b));
    return table;
}();

// A canonical Huffman code: a table for codes of up to kFast bits, counted codes beyond. An
// entry holds the symbol, its kind, and the bits of its code and extra bits together, so that
// skipping a symbol is one lookup and one shift.
class Code
{
  public:
    static constexpr int kFast = 10;

    static uint32_t kindOf(uint32_t entry) { return (entry >> 8) & 0xff; }
    static int bitsOf(uint32_t entry) { return int(entry & 0xff); }

    bool build(const uint8_t* lengths, int n, Alphabet alphabet)
    {
        m_alphabet = alphabet;
        m_count.fill(0);
        for (int i = 0; i < n; ++i)
            ++m_count[lengths[i]];
        m_count[0] = 0;
        int left = 1;
        for (int len = 1; len < 16; ++len) {
            left = 2 * left - m_count[len];
            if (left < 0)
                return false; // more codes than lengths allow
        }
        std::array<uint16_t, 16> offset{};
        for (int len = 1; len < 15; ++len)
            offset[len + 1] = uint16_t(offset[len] + m_count[len]);
        for (int i = 0; i < n; ++i)
            if (lengths[i] != 0)
                m_symbol[offset[lengths[i]]++] = uint16_t(i);
        // Slots no code of up to kFast bits takes must read as none; a code that fills the table
        // writes every slot anyway.
        bool fills = left == 0;
        for (int len = kFast + 1; len < 16; ++len)
            fills = fills && m_count[len] == 0;
        if (!fills)
            m_fast.fill(0);
        uint32_t code = 0;
        int k = 0;
        for (int len = 1; len <= kFast; ++len, code <<= 1)
            for (int j = 0; std::cmp_less(j, m_count[len]); ++j, ++k, ++code) {
                const auto [extra, kind] = meaning(alphabet, m_symbol[k]);
                const uint32_t entry =
                    uint32_t(m_symbol[k]) << 16 | kind << 8 | uint32_t(len + extra);
                // Codes are read from their highest bit: the table is indexed by them reversed.
                for (uint32_t e = kReversed[code << (kFast - len)]; e < (1u << kFast);
                     e += 1u << len)
                    m_fast[e] = entry;
            }
        return true;
    }

    // The table's entry for the bits in front; 0 for a code longer than the table's.
    [[nodiscard]] uint32_t entry(uint64_t bits) const { return m_fast[bits & ((1u << kFast) - 1)]; }

    // Reads the next symbol and its extra bits: the symbol, or -1 for bits that are no code.
    // Needs 15 bits and the extra bits in the register.
    int decode(Bits& in) const
    {
        const uint64_t bits = in.peek();
        if (const uint32_t e = entry(bits); e != 0) {
            in.drop(bitsOf(e));
            return int(e >> 16);
        }
        int code = 0;
        int first = 0;
        int index = 0;
        for (int len = 1; len < 16; ++len) {
            code |= int((bits >> (len - 1)) & 1);
            const int count = m_count[len];
            if (code - count < first) {
                const int symbol = m_symbol[size_t(index + code - first)];
                in.drop(len + meaning(m_alphabet, symbol).first);
                return symbol;
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

  private:
    std::array<uint32_t, 1 << kFast> m_fast{};
    std::array<uint16_t, 16> m_count{};
    std::array<uint16_t, 288> m_symbol{};
    Alphabet m_alphabet = Alphabet::CodeLengths;
};

// Reads a block's symbols up to its end; false on bits that are no symbol. Whether a literal or
// a copy comes next is anybody's guess, so the distance is looked up either way and skipped by
// a mask: a mispredicted branch per symbol would cost more than the rest of the loop.
bool skipSymbols(Bits& in, const Code& literals, const Code& distances)
{
    for (;;) {
        // A length, its extra bits, a distance and its extra bits: at most 48 bits.
        if (in.have() < 48) {
            in.refill();
            if (in.overrun())
                return false; // zeros past the end would read as symbols for ever
        }
        const uint32_t e = literals.entry(in.peek());
        if (e == 0 || Code::kindOf(e) >= kEnd) {
            const int s = literals.decode(in);
            const Kind kind = meaning(Alphabet::Literals, s).second;
            if (s < 0 || kind == kInvalid)
                return false;
            if (kind == kEnd)
                return true;
            if (kind == kCopy) {
                const int d = distances.decode(in);
                if (d < 0 || meaning(Alphabet::Distances, d).second == kInvalid)
                    return false;
            }
            continue;
        }
        in.drop(Code::bitsOf(e));
        const uint32_t d = distances.entry(in.peek());
        const auto copy = uint32_t(Code::kindOf(e) == kCopy);
        if ((copy & uint32_t(d == 0 || Code::kindOf(d) == kInvalid)) != 0) {
            const int s = distances.decode(in);
            if (s < 0 || meaning(Alphabet::Distances, s).second == kInvalid)
                return false;
            continue;
        }
        in.drop(Code::bitsOf(d) & int(0u - copy));
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
    if (!lengthCode.build(codeLengths, 19, Alphabet::CodeLengths))
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
    return literals.build(lengths, literalCount, Alphabet::Literals) &&
           distances.build(lengths + literalCount, distanceCount, Alphabet::Distances);
}

void fixedTables(Code& literals, Code& distances)
{
    uint8_t lengths[288];
    std::fill_n(lengths, 144, 8);
    std::fill_n(lengths + 144, 112, 9);
    std::fill_n(lengths + 256, 24, 7);
    std::fill_n(lengths + 280, 8, 8);
    literals.build(lengths, 288, Alphabet::Literals);
    std::fill_n(lengths, 30, 5);
    distances.build(lengths, 30, Alphabet::Distances);
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
