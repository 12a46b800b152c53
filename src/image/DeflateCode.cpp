// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeflateCode.h"

#include "DeflateFormat.h"

#include <algorithm>

namespace {
// Every number of 10 bits with its bits in reverse order.
constexpr std::array<uint16_t, 1024> kReversed = [] {
    std::array<uint16_t, 1024> table{};
    for (uint32_t i = 0; i < table.size(); ++i)
        for (int b = 0; b < 10; ++b)
            table[i] |= uint16_t(((i >> b) & 1) << (9 - b));
    return table;
}();

} // namespace

std::pair<int, DeflateCode::Kind> DeflateCode::meaning(Alphabet alphabet, int symbol)
{
    if (alphabet == Alphabet::Literals)
        return symbol < 256    ? std::pair{0, kPlain}
               : symbol == 256 ? std::pair{0, kEnd}
               : symbol <= 285 ? std::pair{int(deflateformat::kLengthExtra[symbol - 257]), kCopy}
                               : std::pair{0, kInvalid};
    if (alphabet == Alphabet::Distances)
        return symbol < 30 ? std::pair{int(deflateformat::kDistanceExtra[symbol]), kPlain}
                           : std::pair{0, kInvalid};
    return {0, kPlain};
}

std::vector<uint8_t> DeflateCode::lengthsFor(std::span<const size_t> counts)
{
    struct Node
    {
        size_t weight;
        int parent;
    };
    std::vector<Node> nodes;
    std::vector<int> open;
    std::vector<int> leaf(counts.size(), -1);
    for (size_t s = 0; s < counts.size(); ++s)
        if (counts[s] != 0) {
            leaf[s] = int(nodes.size());
            open.push_back(int(nodes.size()));
            nodes.push_back({counts[s], -1});
        }
    while (open.size() > 1) {
        std::ranges::sort(open, [&](int a, int b) { return nodes[a].weight > nodes[b].weight; });
        const int a = open.back();
        open.pop_back();
        const int b = open.back();
        open.pop_back();
        nodes[a].parent = nodes[b].parent = int(nodes.size());
        open.push_back(int(nodes.size()));
        nodes.push_back({nodes[a].weight + nodes[b].weight, -1});
    }
    std::vector<uint8_t> lengths(counts.size());
    for (size_t s = 0; s < counts.size(); ++s)
        for (int n = leaf[s]; n >= 0 && nodes[n].parent >= 0; n = nodes[n].parent)
            ++lengths[s];
    return lengths;
}

std::vector<uint16_t> DeflateCode::codesFor(std::span<const uint8_t> lengths)
{
    std::array<int, 16> count{};
    for (const uint8_t l : lengths)
        ++count[l];
    count[0] = 0;
    std::array<int, 16> next{};
    for (int len = 1, code = 0; len < 16; ++len)
        next[len] = code = (code + count[len - 1]) << 1;
    std::vector<uint16_t> codes(lengths.size());
    for (size_t s = 0; s < lengths.size(); ++s) {
        if (lengths[s] == 0)
            continue;
        const int length = lengths[s];
        const int code = next[length]++;
        for (int b = 0; b < length; ++b)
            codes[s] |= uint16_t(((code >> b) & 1) << (length - 1 - b));
    }
    return codes;
}

bool DeflateCode::build(const uint8_t* lengths, int n, Alphabet alphabet)
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
            const uint32_t entry = uint32_t(m_symbol[k]) << 16 | kind << 8 | uint32_t(len + extra);
            // Codes are read from their highest bit: the table is indexed by them reversed.
            for (uint32_t e = kReversed[code << (kFast - len)]; e < (1u << kFast); e += 1u << len)
                m_fast[e] = entry;
        }
    return true;
}

int DeflateCode::decode(DeflateBits& in) const
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
