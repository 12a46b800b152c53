// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeflateWalk.h"

#include "DeflateBits.h"
#include "DeflateCode.h"
#include "DeflateFormat.h"

#include <array>
#include <utility>

namespace {
// Reads a block's symbols up to its end; false on bits that are no symbol. Whether a literal or
// a copy comes next is anybody's guess, so the distance is looked up either way and skipped by
// a mask: a mispredicted branch per symbol would cost more than the rest of the loop.
bool skipSymbols(DeflateBits& in, const DeflateCode& literals, const DeflateCode& distances)
{
    for (;;) {
        // A length, its extra bits, a distance and its extra bits: at most 48 bits.
        if (in.have() < 48) {
            in.refill();
            if (in.overrun())
                return false; // zeros past the end would read as symbols for ever
        }
        const uint32_t e = literals.entry(in.peek());
        if (e == 0 || DeflateCode::kindOf(e) >= DeflateCode::kEnd) {
            const int s = literals.decode(in);
            const DeflateCode::Kind kind =
                DeflateCode::meaning(DeflateCode::Alphabet::Literals, s).second;
            if (s < 0 || kind == DeflateCode::kInvalid)
                return false;
            if (kind == DeflateCode::kEnd)
                return true;
            if (kind == DeflateCode::kCopy) {
                const int d = distances.decode(in);
                if (d < 0 || DeflateCode::meaning(DeflateCode::Alphabet::Distances, d).second ==
                                 DeflateCode::kInvalid)
                    return false;
            }
            continue;
        }
        in.drop(DeflateCode::bitsOf(e));
        const uint32_t d = distances.entry(in.peek());
        const auto copy = uint32_t(DeflateCode::kindOf(e) == DeflateCode::kCopy);
        if ((copy & uint32_t(d == 0 || DeflateCode::kindOf(d) == DeflateCode::kInvalid)) != 0) {
            const int s = distances.decode(in);
            if (s < 0 || DeflateCode::meaning(DeflateCode::Alphabet::Distances, s).second ==
                             DeflateCode::kInvalid)
                return false;
            continue;
        }
        in.drop(DeflateCode::bitsOf(d) & int(0u - copy));
    }
}

bool readTables(DeflateBits& in, DeflateCode& literals, DeflateCode& distances)
{
    const int literalCount = int(in.take(5)) + 257;
    const int distanceCount = int(in.take(5)) + 1;
    const int lengthCount = int(in.take(4)) + 4;
    uint8_t codeLengths[19] = {};
    for (int i = 0; i < lengthCount; ++i)
        codeLengths[deflateformat::kLengthOrder[i]] = uint8_t(in.take(3));
    DeflateCode lengthCode;
    if (!lengthCode.build(codeLengths, 19, DeflateCode::Alphabet::CodeLengths))
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
    return literals.build(lengths, literalCount, DeflateCode::Alphabet::Literals) &&
           distances.build(lengths + literalCount, distanceCount, DeflateCode::Alphabet::Distances);
}

void fixedTables(DeflateCode& literals, DeflateCode& distances)
{
    uint8_t lengths[288];
    std::fill_n(lengths, 144, 8);
    std::fill_n(lengths + 144, 112, 9);
    std::fill_n(lengths + 256, 24, 7);
    std::fill_n(lengths + 280, 8, 8);
    literals.build(lengths, 288, DeflateCode::Alphabet::Literals);
    std::fill_n(lengths, 30, 5);
    distances.build(lengths, 30, DeflateCode::Alphabet::Distances);
}
} // namespace

std::optional<DeflateWalk::End> DeflateWalk::walk(std::span<const uint8_t> data)
{
    DeflateBits in(data);
    DeflateCode literals;
    DeflateCode distances;
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
