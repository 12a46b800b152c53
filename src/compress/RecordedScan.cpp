// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordedScan.h"

#include "ScanGuesses.h"
#include "Together.h"

#include <algorithm>
#include <utility>

namespace {
// Takes an MCU's coefficients into records, each AC one quantized anew, where there is room.
struct Recorder
{
    uint32_t* records;
    const uint32_t* first; // the track's records
    std::vector<int32_t>& dcs;
    std::vector<uint32_t>* starts; // when blocks are looked up one by one
    const McuDecoder& mcu;
    const std::array<const CoefficientMapper*, MAX_COMPONENTS>& mappers;
    const CoefficientMapper* mapper = nullptr; // the block's

    void dc(int b, int32_t value)
    {
        dcs.push_back(value);
        if (starts)
            starts->push_back(uint32_t(records - first));
        mapper = mappers[size_t(mcu.component(b))];
    }
    void ac(int /*b*/, int k, int value)
    {
        // Written always, kept when not quantized away: no branch to mispredict.
        const int16_t q = mapper->requantized(value, kNatural[size_t(k)]);
        *records = uint32_t(k) << 16 | uint16_t(q);
        records += q != 0 ? 1 : 0;
    }
    void end(int /*b*/) { *records++ = RecordedScan::kEnd; }
};
} // namespace

bool RecordedScan::decode(const jpeg_decompress_struct& info, const uint8_t* scan, size_t size,
                          int parts,
                          const std::array<const CoefficientMapper*, MAX_COMPONENTS>& mappers)
{
    m_mappers = mappers;
    if (!m_mcu.plan(info) || !m_segment.read(scan, size))
        return false;
    for (int c = 0; c < m_mcu.components(); ++c) {
        if (!mappers[size_t(c)])
            return false;
        m_width[size_t(c)] = int(info.comp_info[c].width_in_blocks);
        m_height[size_t(c)] = int(info.comp_info[c].height_in_blocks);
    }
    for (int b = m_mcu.blocks() - 1; b >= 0; --b)
        m_firstBlock[size_t(m_mcu.component(b))] = b;
    m_interval = int64_t(info.restart_interval);
    const int64_t total = m_mcu.mcuCount();
    const size_t intervals = m_segment.intervals().size();
    if (!ScanGuesses::intervalsFit(total, m_interval, intervals))
        return false;
    parts = std::max(parts, 1);
    if (m_interval > 0) {
        // Whole intervals to each part, each decoded from its own marker with fresh predictions.
        parts = int(std::min<size_t>(size_t(parts), intervals));
        m_tracks.resize(size_t(parts));
        std::vector<char> ok(size_t(parts), 0); // not vector<bool>: its parts share bytes
        together(parts, [&](int i) {
            ok[size_t(i)] =
                decodeIntervals(m_tracks[size_t(i)], intervals * size_t(i) / size_t(parts),
                                intervals * size_t(i + 1) / size_t(parts))
                    ? 1
                    : 0;
        });
        if (std::ranges::any_of(ok, [](char good) { return good == 0; }))
            return false;
        for (const Track& track : m_tracks)
            segment(track, 0, int64_t(track.marks.size()), {});
        return m_decoded == total;
    }
    m_tracks.resize(size_t(parts));
    for (int i = 1; i < parts; ++i) {
        const ScanGuesses::Bounds bounds = ScanGuesses::bounds(m_segment.bits(), i, parts);
        m_tracks[size_t(i)].start = bounds.start;
        m_tracks[size_t(i)].limit = bounds.limit;
    }
    Track& first = m_tracks.front();
    first.records.resize(size_t(total / parts) * size_t(m_mcu.blocks()) * 4);
    Mark state;
    bool firstOk = true;
    together(parts, [&](int i) {
        if (i > 0) {
            guess(m_tracks[size_t(i)]);
            return;
        }
        const uint64_t end = parts > 1 ? m_tracks[1].start : 0;
        while (firstOk && std::cmp_less(first.marks.size(), total) && state.pos < end)
            firstOk = decodeAt(first, state);
    });
    return firstOk && join(first, state);
}

bool RecordedScan::decodeAt(Track& track, Mark& state) const
{
    track.marks.push_back({state.pos, state.dc, track.used});
    // Room for the most an MCU can hold: every coefficient of every block, and each one's end.
    const size_t most = size_t(m_mcu.blocks()) * DCTSIZE2;
    if (track.records.size() < track.used + most)
        track.records.resize(std::max(track.records.size() * 2, track.used + most));
    Recorder out{track.records.data() + track.used,
                 track.records.data(),
                 track.dc,
                 m_mappers[0]->turns() ? &track.starts : nullptr,
                 m_mcu,
                 m_mappers};
    const bool ok =
        m_mcu.decodeTo(m_segment.data(), m_segment.bits(), state.pos, state.dc.data(), out);
    track.used = size_t(out.records - track.records.data());
    return ok && state.pos <= m_segment.bits();
}

bool RecordedScan::decodeIntervals(Track& track, size_t first, size_t last) const
{
    const std::vector<size_t>& starts = m_segment.intervals();
    for (size_t i = first; i < last; ++i) {
        Mark state{uint64_t(starts[i]) * 8, {}, 0};
        const uint64_t end = i + 1 < starts.size() ? uint64_t(starts[i + 1]) * 8 : m_segment.bits();
        const int64_t to = std::min(int64_t(i + 1) * m_interval, m_mcu.mcuCount());
        for (int64_t mcu = int64_t(i) * m_interval; mcu < to; ++mcu)
            if (!decodeAt(track, state) || state.pos > end)
                return false;
        // Whole bytes left over before the marker would make libjpeg warn.
        if (end - state.pos >= 8)
            return false;
    }
    return true;
}

void RecordedScan::guess(Track& part) const
{
    const auto total = uint64_t(m_mcu.mcuCount());
    const uint64_t share = ScanGuesses::share(total, m_segment.bits(), {part.start, part.limit});
    const size_t capacity = ScanGuesses::capacity(total, share);
    part.marks.reserve(size_t(share) + 1);
    part.dc.reserve(size_t(share) * size_t(m_mcu.blocks()));
    part.records.resize(size_t(share) * size_t(m_mcu.blocks()) * 4);
    Mark at{part.start, {}, 0};
    while (at.pos < part.limit && part.marks.size() < capacity) {
        if (decodeAt(part, at))
            continue;
        // None of these were true MCU starts: the true ones decode without fault. Start again
        // where the fault was.
        const uint64_t failed = part.marks.back().pos;
        part.marks.clear();
        part.used = 0;
        part.dc.clear();
        part.starts.clear();
        at = Mark{std::max(at.pos, failed + 1), {}, 0};
    }
    part.marks.push_back({at.pos, at.dc, part.used});
}

bool RecordedScan::join(Track& first, Mark& state)
{
    std::vector<const Track*> guesses;
    guesses.reserve(m_tracks.size());
    for (size_t i = 1; i < m_tracks.size(); ++i)
        guesses.push_back(&m_tracks[i]);
    Track* inOrder = &first;
    auto mcu = int64_t(first.marks.size());
    const bool joined = ScanGuesses::join(
        guesses, state, mcu, m_mcu.mcuCount(),
        [&](Mark& at, int64_t /*next*/) { return decodeAt(*inOrder, at); },
        [&](const Track& part, size_t j, int64_t count,
            const std::array<int32_t, MAX_COMPONENTS>& shift) {
            segment(*inOrder, 0, int64_t(inOrder->marks.size()), {});
            segment(part, j, count, shift);
            inOrder = &m_tracks.emplace_back();
            ++m_resynchronised;
        });
    if (!joined)
        return false;
    segment(*inOrder, 0, int64_t(inOrder->marks.size()), {});
    return m_decoded == m_mcu.mcuCount() && m_segment.bits() - state.pos < 8;
}

void RecordedScan::segment(const Track& track, size_t first, int64_t count,
                           const std::array<int32_t, MAX_COMPONENTS>& shift)
{
    if (count <= 0)
        return;
    m_segments.push_back({&track, first, count, m_decoded, shift});
    m_decoded += count;
}

RecordedScan::Place RecordedScan::at(int64_t mcu) const
{
    const auto after = std::ranges::upper_bound(m_segments, mcu, {}, &Segment::at);
    Place place;
    place.segment = size_t(after - m_segments.begin()) - 1;
    const Segment& s = m_segments[place.segment];
    place.index = s.first + size_t(mcu - s.at);
    fill(place);
    return place;
}

void RecordedScan::advance(Place& place) const
{
    ++place.index;
    const Segment& s = m_segments[place.segment];
    if (place.index < s.first + size_t(s.count)) {
        fill(place);
        return;
    }
    if (++place.segment < m_segments.size()) {
        place.index = m_segments[place.segment].first;
        fill(place);
    }
}

void RecordedScan::fill(Place& place) const
{
    const Segment& s = m_segments[place.segment];
    place.records = s.track->records.data() + s.track->marks[place.index].record;
    place.dc = s.track->dc.data() + place.index * size_t(m_mcu.blocks());
    place.shift = &s.shift;
}

RecordedScan::Block RecordedScan::block(int c, int64_t x, int64_t y) const
{
    int64_t mcu = y * m_mcu.mcusPerRow() + x;
    int b = 0;
    if (m_mcu.components() > 1) {
        const int h = m_mcu.mcuWidth(c);
        const int v = m_mcu.mcuHeight(c);
        mcu = y / v * m_mcu.mcusPerRow() + x / h;
        b = m_firstBlock[size_t(c)] + int(y % v) * h + int(x % h);
    }
    const Place place = at(mcu);
    const Segment& s = m_segments[place.segment];
    const size_t i = place.index * size_t(m_mcu.blocks()) + size_t(b);
    return {s.track->records.data() + s.track->starts[i],
            int16_t(uint16_t(uint32_t(s.track->dc[i]) + uint32_t(s.shift[size_t(c)])))};
}
