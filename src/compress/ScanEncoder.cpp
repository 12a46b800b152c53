// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScanEncoder.h"

#include "BitWriter.h"
#include "RecordedScan.h"
#include "Together.h"
#include "ZigZag.h"

#include <algorithm>
#include <bit>

namespace {
// Past the end of a block's records.
const uint32_t* pastEnd(const uint32_t* records)
{
    while (*records++ != RecordedScan::kEnd) {
    }
    return records;
}

// A value's magnitude category: the bits its magnitude takes.
int category(int value)
{
    const auto magnitude = unsigned(value < 0 ? -value : value);
    return magnitude == 0 ? 0 : 32 - std::countl_zero(magnitude);
}

// The extra bits after a category's code: the value, or a negative one less one, in n bits.
uint32_t extra(int value, int n)
{
    return uint32_t(value < 0 ? value - 1 : value) & ((1u << n) - 1);
}
} // namespace

struct ScanEncoder::Part
{
    int64_t from = 0;
    int64_t to = 0;
    std::array<HuffmanCode::Counts, kTables> dc{};
    std::array<HuffmanCode::Counts, kTables> ac{};
    uint64_t start = 0; // its first bit in the scan
    uint64_t bits = 0;
    std::vector<uint8_t> bytes; // from the byte holding its first bit
};

template <typename Each> void ScanEncoder::eachBlock(int64_t from, int64_t to, Each&& each) const
{
    if (m_components.size() == 1) {
        const Component& one = m_components[0];
        for (int64_t m = from; m < to; ++m)
            each(0, m % one.realWidth, m / one.realWidth, true);
        return;
    }
    for (int64_t m = from; m < to; ++m) {
        const int64_t mx = m % m_mcusPerRow;
        const int64_t my = m / m_mcusPerRow;
        for (size_t c = 0; c < m_components.size(); ++c) {
            const Component& comp = m_components[c];
            for (int by = 0; by < comp.v; ++by) {
                const int64_t y = my * comp.v + by;
                for (int bx = 0; bx < comp.h; ++bx) {
                    // Blocks past the picture code as libjpeg makes them up: the DC before, no AC.
                    const int64_t x = mx * comp.h + bx;
                    each(int(c), x, y, x < comp.realWidth && y < comp.realHeight);
                }
            }
        }
    }
}

template <typename Visit> void ScanEncoder::walk(int64_t from, int64_t to, Visit&& visit) const
{
    if (m_scan && !m_turned)
        return walkRecorded(from, to, visit);
    // A block's AC coefficients as records, as a recorded scan holds them.
    uint32_t records[DCTSIZE2 + 1];
    std::array<uint16_t, DCTSIZE2> values{};
    eachBlock(from, to, [&](int c, int64_t x, int64_t y, bool real) {
        if (!real) {
            records[0] = RecordedScan::kEnd;
            visit(c, nullptr, records);
            return;
        }
        int n = 0;
        int32_t dc = 0;
        if (m_scan) {
            // A turned block: its source's records, each at its place in the output.
            const CoefficientMapper& mapper = *m_mappers[size_t(c)];
            const auto [sx, sy] =
                mapper.sourceOf(int(x), int(y), m_scan->width(c), m_scan->height(c));
            const RecordedScan::Block source = m_scan->block(c, sx, sy);
            uint64_t mask = 0;
            for (const uint32_t* r = source.records; *r != RecordedScan::kEnd; ++r) {
                const int z = mapper.zigzagFrom(int(*r >> 16));
                values[size_t(z)] = uint16_t(*r & 0xFFFF);
                mask |= uint64_t(1) << z;
            }
            for (; mask != 0; mask &= mask - 1) {
                const int z = std::countr_zero(mask);
                records[n++] = uint32_t(z) << 16 | values[size_t(z)];
            }
            dc = mapper.requantized(source.dc, 0);
        } else {
            const JCOEF* block = m_components[size_t(c)].rows[y][x];
            for (uint64_t mask = presentAc(block); mask != 0; mask &= mask - 1) {
                const int k = std::countr_zero(mask);
                records[n++] = uint32_t(k) << 16 | uint16_t(block[kNatural[size_t(k)]]);
            }
            dc = block[0];
        }
        records[n] = RecordedScan::kEnd;
        visit(c, &dc, records);
    });
}

template <typename Visit>
void ScanEncoder::walkRecorded(int64_t from, int64_t to, Visit&& visit) const
{
    const McuDecoder& mcu = m_scan->mcu();
    RecordedScan::Place place = m_scan->at(from);
    const bool interleaved = m_components.size() > 1;
    for (int64_t m = from; m < to; ++m, m_scan->advance(place)) {
        const int64_t mx = interleaved ? m % m_mcusPerRow : 0;
        const int64_t my = interleaved ? m / m_mcusPerRow : 0;
        const uint32_t* records = place.records;
        for (int b = 0; b < mcu.blocks(); ++b) {
            const int c = mcu.component(b);
            const Component& comp = m_components[size_t(c)];
            const int64_t x = mx * comp.h + mcu.dx(b);
            const int64_t y = my * comp.v + mcu.dy(b);
            // Kept in 16 bits, as libjpeg keeps a DC.
            const auto read =
                int16_t(uint16_t(uint32_t(place.dc[b]) + uint32_t((*place.shift)[size_t(c)])));
            const int32_t dc = m_mappers[size_t(c)]->requantized(read, 0);
            const bool real = !interleaved || (x < comp.realWidth && y < comp.realHeight);
            records = visit(c, real ? &dc : nullptr, records);
        }
    }
}

std::array<int32_t, 4> ScanEncoder::dcBefore(int64_t mcu) const
{
    // Each component's first block in an MCU holds picture: the MCU before tells all.
    std::array<int32_t, 4> last{};
    if (mcu > 0)
        walk(mcu - 1, mcu, [&last](int c, const int32_t* dc, const uint32_t* records) {
            if (dc)
                last[size_t(c)] = *dc;
            return pastEnd(records);
        });
    return last;
}

bool ScanEncoder::count(Part& part) const
{
    std::array<int32_t, 4> last = dcBefore(part.from);
    bool inRange = true;
    walk(part.from, part.to, [&](int c, const int32_t* dc, const uint32_t* records) {
        const auto t = size_t(m_components[size_t(c)].table);
        if (!dc) {
            ++part.dc[t][0];
            ++part.ac[t][0];
            return pastEnd(records);
        }
        const int n = category(*dc - last[size_t(c)]);
        last[size_t(c)] = *dc;
        inRange &= n <= 11;
        ++part.dc[t][size_t(std::min(n, 15))];
        int previous = 0;
        for (; *records != RecordedScan::kEnd; ++records) {
            const int k = int(*records >> 16);
            int run = k - previous - 1;
            for (; run > 15; run -= 16)
                ++part.ac[t][0xF0];
            const int size = category(int16_t(*records & 0xFFFF));
            inRange &= size <= 10;
            ++part.ac[t][size_t(run << 4 | std::min(size, 15))];
            previous = k;
        }
        if (previous < 63)
            ++part.ac[t][0];
        return records + 1;
    });
    return inRange;
}

void ScanEncoder::write(Part& part) const
{
    BitWriter out(part.bytes, int(part.start % 8), part.bits);
    std::array<int32_t, 4> last = dcBefore(part.from);
    walk(part.from, part.to, [&](int c, const int32_t* dc, const uint32_t* records) {
        const auto t = size_t(m_components[size_t(c)].table);
        const HuffmanCode& dcCode = m_dc[t];
        const HuffmanCode& acCode = m_ac[t];
        if (!dc) {
            out.put(dcCode.code(0), dcCode.size(0));
            out.put(acCode.code(0), acCode.size(0));
            return pastEnd(records);
        }
        const int diff = *dc - last[size_t(c)];
        last[size_t(c)] = *dc;
        const int n = category(diff);
        out.put(dcCode.code(n) << n | (n > 0 ? extra(diff, n) : 0), dcCode.size(n) + n);
        int previous = 0;
        for (; *records != RecordedScan::kEnd; ++records) {
            const int k = int(*records >> 16);
            int run = k - previous - 1;
            for (; run > 15; run -= 16)
                out.put(acCode.code(0xF0), acCode.size(0xF0));
            const int value = int16_t(*records & 0xFFFF);
            const int size = category(value);
            const int symbol = run << 4 | size;
            out.put(acCode.code(symbol) << size | extra(value, size), acCode.size(symbol) + size);
            previous = k;
        }
        if (previous < 63)
            out.put(acCode.code(0), acCode.size(0));
        return records + 1;
    });
    out.finish();
}

void ScanEncoder::join(const std::vector<Part>& parts)
{
    uint64_t total = 0;
    for (const Part& part : parts)
        total += part.bits;
    m_data.clear();
    m_data.reserve(qsizetype(total / 8) + qsizetype(total / 800) + 16);
    uint8_t pending = 0; // a byte the part before began
    for (const Part& part : parts) {
        const auto used = uint64_t(part.start % 8) + part.bits;
        if (part.bits == 0)
            continue;
        const auto first = uint8_t(part.bytes[0] | pending);
        if (used < 8) {
            pending = first;
            continue;
        }
        BitWriter::appendStuffed(m_data, &first, 1);
        BitWriter::appendStuffed(m_data, part.bytes.data() + 1, size_t(used / 8 - 1));
        pending = used % 8 != 0 ? part.bytes[size_t(used / 8)] : 0;
    }
    // The last byte filled with one bits, as libjpeg pads.
    if (const int left = int(total % 8); left != 0) {
        const auto last = uint8_t(pending | ((1u << (8 - left)) - 1));
        BitWriter::appendStuffed(m_data, &last, 1);
    }
}

void ScanEncoder::take(const std::vector<Component>& components, int mcusPerRow, int mcuRows)
{
    m_components = components;
    m_mcusPerRow = components.size() == 1 ? components[0].realWidth : mcusPerRow;
    m_mcus = components.size() == 1 ? int64_t(components[0].realWidth) * components[0].realHeight
                                    : int64_t(mcusPerRow) * mcuRows;
}

bool ScanEncoder::encode(const std::vector<Component>& components, int mcusPerRow, int mcuRows,
                         int parts)
{
    m_scan = nullptr;
    m_turned = false;
    if (std::ranges::any_of(components, [](const Component& c) { return !c.rows; }))
        return false;
    take(components, mcusPerRow, mcuRows);
    return run(parts);
}

bool ScanEncoder::encode(const std::vector<Component>& components, int mcusPerRow, int mcuRows,
                         const RecordedScan& scan,
                         const std::array<const CoefficientMapper*, MAX_COMPONENTS>& mappers,
                         int parts)
{
    const McuDecoder& mcu = scan.mcu();
    take(components, mcusPerRow, mcuRows);
    m_turned = mappers[0] && mappers[0]->turns();
    // Unturned, the scan's MCUs must be the picture's; either way each component's sampling must
    // be the same.
    if (mcu.components() != int(components.size()) ||
        (!m_turned && (mcu.mcuCount() != m_mcus || mcu.mcusPerRow() != m_mcusPerRow)))
        return false;
    for (int b = 1; b < mcu.blocks(); ++b)
        if (mcu.component(b) < mcu.component(b - 1))
            return false; // components in another order than the picture's
    for (int c = 0; c < mcu.components(); ++c)
        if (!mappers[size_t(c)] || mappers[size_t(c)]->turns() != m_turned ||
            (components.size() > 1 && (mcu.mcuWidth(c) != components[size_t(c)].h ||
                                       mcu.mcuHeight(c) != components[size_t(c)].v)))
            return false;
    m_scan = &scan;
    m_mappers = mappers;
    return run(parts);
}

bool ScanEncoder::run(int parts)
{
    std::array<bool, kTables> used{};
    if (m_components.empty() || m_components.size() > 4 || m_mcus <= 0)
        return false;
    for (const Component& c : m_components) {
        if (c.table < 0 || c.table >= kTables || c.realWidth <= 0 || c.realHeight <= 0)
            return false;
        used[size_t(c.table)] = true;
    }
    std::vector<Part> shares(size_t(std::clamp<int64_t>(parts, 1, m_mcus)));
    const auto n = int64_t(shares.size());
    for (int64_t i = 0; i < n; ++i) {
        shares[size_t(i)].from = m_mcus * i / n;
        shares[size_t(i)].to = m_mcus * (i + 1) / n;
    }
    std::vector<char> ok(shares.size(), 0); // not vector<bool>: its parts share bytes
    together(int(n), [&](int i) { ok[size_t(i)] = count(shares[size_t(i)]) ? 1 : 0; });
    if (std::ranges::any_of(ok, [](char good) { return good == 0; }))
        return false;
    for (size_t t = 0; t < kTables; ++t) {
        HuffmanCode::Counts dc{};
        HuffmanCode::Counts ac{};
        for (const Part& part : shares)
            for (size_t s = 0; s < 256; ++s) {
                dc[s] += part.dc[t][s];
                ac[s] += part.ac[t][s];
            }
        if (used[t] && (!m_dc[t].build(dc) || !m_ac[t].build(ac)))
            return false;
    }
    // Each part's length from its counts: where the next one starts.
    uint64_t start = 0;
    for (Part& part : shares) {
        part.start = start;
        for (size_t t = 0; t < kTables; ++t)
            for (int s = 0; s < 256; ++s) {
                part.bits += uint64_t(part.dc[t][size_t(s)]) * uint64_t(m_dc[t].size(s) + s);
                part.bits += uint64_t(part.ac[t][size_t(s)]) * uint64_t(m_ac[t].size(s) + (s & 15));
            }
        start += part.bits;
    }
    together(int(n), [&](int i) { write(shares[size_t(i)]); });
    join(shares);
    return true;
}
