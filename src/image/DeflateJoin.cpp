// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeflateJoin.h"

#include "DeflateCode.h"
#include "DeflateFormat.h"
#include "DeflateWalk.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <utility>

namespace {
using deflateformat::kEndOfBlock;
using deflateformat::kLengthBase;
using deflateformat::kLengthExtra;
using deflateformat::kLengthOrder;
using deflateformat::kLongest;
using deflateformat::kLongestSymbol;

// The symbol and extra bits of a copy of 3 to 257 bytes.
std::pair<int, int> lengthSymbol(int length)
{
    int i = 27;
    while (std::cmp_greater(kLengthBase[i], length))
        --i;
    return {257 + i, length - kLengthBase[i]};
}
} // namespace

DeflateJoin::DeflateJoin()
{
    m_out = {0x78, 0x5e}; // deflate, 32 KiB window, "fast" as libdeflate's level 2 says
}

void DeflateJoin::put(uint32_t bits, int count)
{
    uint64_t pending = m_pending | (uint64_t(bits) << m_pendingBits);
    m_pendingBits += count;
    for (; m_pendingBits >= 8; m_pendingBits -= 8, pending >>= 8)
        m_out.push_back(uint8_t(pending));
    m_pending = uint32_t(pending);
}

void DeflateJoin::padToByte()
{
    put(0, (8 - m_pendingBits) % 8);
}

void DeflateJoin::putBits(const uint8_t* bytes, size_t count)
{
    const size_t whole = count / 8;
    const size_t at = m_out.size();
    m_out.resize(at + whole);
    uint8_t* out = m_out.data() + at;
    if (const int k = m_pendingBits; k == 0) {
        std::copy_n(bytes, whole, out);
    } else if (whole > 0) {
        // Each byte out is the end of one byte in and the start of the next: no carried state,
        // so the loop vectorizes.
        out[0] = uint8_t(m_pending | (bytes[0] << k));
        for (size_t i = 1; i < whole; ++i)
            out[i] = uint8_t((bytes[i] << k) | (bytes[i - 1] >> (8 - k)));
        m_pending = bytes[whole - 1] >> (8 - k);
    }
    if (const int rest = int(count % 8); rest > 0)
        put(bytes[whole] & ((1u << rest) - 1), rest);
}

bool DeflateJoin::append(std::span<uint8_t> stream)
{
    const std::optional<DeflateWalk::End> end = DeflateWalk::walk(stream);
    if (!end)
        return false;
    stream[end->finalHeaderBit / 8] &= uint8_t(~(1u << (end->finalHeaderBit % 8)));
    if (end->stored && m_pendingBits != 0) {
        // A stored block starts at a whole byte of the stream: one that is empty gets there.
        put(0, 3);
        padToByte();
        put(0xffff0000u, 32);
    }
    putBits(stream.data(), end->endBit);
    return true;
}

bool DeflateJoin::appendRepeatedRows(size_t count, size_t rowBytes)
{
    if (count == 0 || rowBytes == 0)
        return count == 0;
    // A row: its type byte, one zero, then copies of the byte before: of the longest length, and
    // one of the length left over (or one or two more zeros where that is under 3).
    const size_t longs = (rowBytes - 1) / kLongest;
    int tail = int((rowBytes - 1) % kLongest);
    const int tailZeros = tail < 3 ? tail : 0;
    if (tail < 3)
        tail = 0;
    const auto [tailSymbol, tailExtra] = tail > 0 ? lengthSymbol(tail) : std::pair{0, 0};

    std::array<size_t, 286> counts{};
    counts[0] = count * size_t(1 + tailZeros);
    counts[2] = count;
    counts[kLongestSymbol] = count * longs;
    if (tail > 0)
        counts[size_t(tailSymbol)] = count;
    counts[kEndOfBlock] = 1;
    const std::vector<uint8_t> lengths = DeflateCode::lengthsFor(counts);
    const std::vector<uint16_t> codes = DeflateCode::codesFor(lengths);
    // Distance 1 is the only one used; distance 2 keeps its code complete.
    const std::array<uint8_t, 2> distanceLengths = {1, 1};

    // The code lengths of both codes in one sequence; only runs of zeros are worth shortening.
    std::vector<std::pair<int, int>> sequence; // (code length symbol, extra bits)
    std::array<uint8_t, 288> all{};
    std::ranges::copy(lengths, all.begin());
    std::ranges::copy(distanceLengths, all.begin() + 286);
    for (size_t i = 0; i < all.size();) {
        size_t run = 1;
        while (i + run < all.size() && all[i + run] == all[i])
            ++run;
        if (all[i] != 0 || run < 3) {
            sequence.insert(sequence.end(), run, {all[i], 0});
        } else {
            for (size_t left = run; left >= 3;) {
                const size_t take = std::min<size_t>(left, 138);
                sequence.push_back(take >= 11 ? std::pair{18, int(take - 11)}
                                              : std::pair{17, int(take - 3)});
                left -= take;
                if (left > 0 && left < 3) {
                    sequence.insert(sequence.end(), left, {0, 0});
                    left = 0;
                }
            }
        }
        i += run;
    }
    std::array<size_t, 19> lengthCounts{};
    for (const auto& [symbol, extra] : sequence)
        ++lengthCounts[size_t(symbol)];
    const std::vector<uint8_t> lengthLengths = DeflateCode::lengthsFor(lengthCounts);
    if (std::ranges::any_of(lengths, [](uint8_t l) { return l > 15; }) ||
        std::ranges::any_of(lengthLengths, [](uint8_t l) { return l > 7; }))
        return false;
    const std::vector<uint16_t> lengthCodes = DeflateCode::codesFor(lengthLengths);
    int sent = 19;
    while (sent > 4 && lengthLengths[kLengthOrder[sent - 1]] == 0)
        --sent;

    put(0, 1); // not the last block
    put(2, 2); // its own codes
    put(286 - 257, 5);
    put(2 - 1, 5);
    put(uint32_t(sent - 4), 4);
    for (int i = 0; i < sent; ++i)
        put(lengthLengths[kLengthOrder[i]], 3);
    for (const auto& [symbol, extra] : sequence) {
        put(lengthCodes[size_t(symbol)], lengthLengths[size_t(symbol)]);
        if (symbol == 17)
            put(uint32_t(extra), 3);
        else if (symbol == 18)
            put(uint32_t(extra), 7);
    }
    const auto send = [&](int symbol) { put(codes[size_t(symbol)], lengths[size_t(symbol)]); };
    for (size_t row = 0; row < count; ++row) {
        send(2);
        for (int z = 0; z <= tailZeros; ++z)
            send(0);
        for (size_t l = 0; l < longs; ++l) {
            send(kLongestSymbol);
            put(0, 1); // distance 1
        }
        if (tail > 0) {
            send(tailSymbol);
            put(uint32_t(tailExtra), kLengthExtra[tailSymbol - 257]);
            put(0, 1);
        }
    }
    send(kEndOfBlock);
    return true;
}

std::vector<uint8_t> DeflateJoin::finish(uint32_t adler)
{
    put(1, 1); // the last block,
    put(1, 2); // with the fixed codes,
    put(0, 7); // empty
    padToByte();
    uchar sum[4];
    qToBigEndian(quint32(adler), sum);
    m_out.insert(m_out.end(), sum, sum + 4);
    return std::move(m_out);
}
