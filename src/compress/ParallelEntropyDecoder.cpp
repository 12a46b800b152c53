// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParallelEntropyDecoder.h"

#include "ScanGuesses.h"
#include "Together.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
int roundUp(int value, int step)
{
    return (value + step - 1) / step * step;
}
} // namespace

bool ParallelEntropyDecoder::decode(const jpeg_decompress_struct& info, const uint8_t* scan,
                                    size_t size, int parts)
{
    if (!m_mcu.plan(info) || !m_segment.read(scan, size))
        return false;
    m_interval = int64_t(info.restart_interval);
    const size_t intervals = m_segment.intervals().size();
    if (!ScanGuesses::intervalsFit(m_mcu.mcuCount(), m_interval, intervals))
        return false;
    for (int c = 0; c < m_mcu.components(); ++c) {
        const jpeg_component_info& comp = info.comp_info[c];
        m_arrays[size_t(c)] =
            BlockArray(size_t(roundUp(int(comp.width_in_blocks), comp.h_samp_factor)),
                       size_t(roundUp(int(comp.height_in_blocks), comp.v_samp_factor)));
        if (m_arrays[size_t(c)].isNull() ||
            std::cmp_less(m_arrays[size_t(c)].width(),
                          int64_t(m_mcu.mcusPerRow()) * m_mcu.mcuWidth(c)))
            return false;
    }
    parts = std::max(parts, 1);
    if (m_interval > 0) {
        // Whole intervals to each part, each decoded from its own marker with fresh predictions.
        parts = int(std::min<size_t>(size_t(parts), intervals));
        std::vector<char> ok(size_t(parts), 0); // not vector<bool>: its parts share bytes
        together(parts, [&](int i) {
            ok[size_t(i)] = decodeIntervals(intervals * size_t(i) / size_t(parts),
                                            intervals * size_t(i + 1) / size_t(parts))
                                ? 1
                                : 0;
        });
        return std::ranges::all_of(ok, [](char good) { return good != 0; });
    }
    m_guesses.resize(size_t(parts - 1));
    for (int i = 1; i < parts; ++i) {
        const ScanGuesses::Bounds bounds = ScanGuesses::bounds(m_segment.bits(), i, parts);
        m_guesses[size_t(i - 1)].start = bounds.start;
        m_guesses[size_t(i - 1)].limit = bounds.limit;
    }
    Mark state;
    int64_t mcu = 0;
    bool firstOk = true;
    together(parts, [&](int i) {
        if (i > 0) {
            guess(m_guesses[size_t(i - 1)]);
            return;
        }
        const uint64_t end = m_guesses.empty() ? 0 : m_guesses.front().start;
        while (firstOk && mcu < m_mcu.mcuCount() && state.pos < end)
            firstOk = decodeAt(state.pos, mcu++, state.dc.data());
    });
    if (!firstOk || !join(state, mcu))
        return false;
    together(parts, [&](int i) {
        for (const Join& j : m_joins)
            copy(j, j.count * i / parts, j.count * (i + 1) / parts);
    });
    return true;
}

std::vector<JBLOCKROW> ParallelEntropyDecoder::rows(int c) const
{
    const BlockArray& array = m_arrays[size_t(c)];
    return array.rows(array.height());
}

void ParallelEntropyDecoder::place(int64_t mcu, JBLOCKROW* out) const
{
    const int64_t x = mcu % m_mcu.mcusPerRow(), y = mcu / m_mcu.mcusPerRow();
    for (int b = 0; b < m_mcu.blocks(); ++b) {
        const int c = m_mcu.component(b);
        out[b] = m_arrays[size_t(c)].row(size_t(y * m_mcu.mcuHeight(c) + m_mcu.dy(b))) +
                 x * m_mcu.mcuWidth(c) + m_mcu.dx(b);
    }
}

bool ParallelEntropyDecoder::decodeAt(uint64_t& pos, int64_t mcu, int32_t* dc) const
{
    std::array<JBLOCKROW, McuDecoder::kMaxBlocks> out{};
    place(mcu, out.data());
    return m_mcu.decode(m_segment.data(), m_segment.bits(), pos, dc, out.data()) &&
           pos <= m_segment.bits();
}

bool ParallelEntropyDecoder::decodeIntervals(size_t first, size_t last) const
{
    const std::vector<size_t>& starts = m_segment.intervals();
    for (size_t i = first; i < last; ++i) {
        uint64_t pos = uint64_t(starts[i]) * 8;
        const uint64_t end = i + 1 < starts.size() ? uint64_t(starts[i + 1]) * 8 : m_segment.bits();
        std::array<int32_t, MAX_COMPONENTS> dc{};
        const int64_t to = std::min(int64_t(i + 1) * m_interval, m_mcu.mcuCount());
        for (int64_t mcu = int64_t(i) * m_interval; mcu < to; ++mcu)
            if (!decodeAt(pos, mcu, dc.data()) || pos > end)
                return false;
        // Whole bytes left over before the marker would make libjpeg warn.
        if (end - pos >= 8)
            return false;
    }
    return true;
}

void ParallelEntropyDecoder::guess(Guess& part) const
{
    const auto blocks = size_t(m_mcu.blocks());
    const auto total = uint64_t(m_mcu.mcuCount());
    const size_t capacity = ScanGuesses::capacity(
        total, ScanGuesses::share(total, m_segment.bits(), {part.start, part.limit}));
    part.blocks = BlockArray(blocks, capacity);
    if (part.blocks.isNull())
        return;
    Mark at{part.start, {}};
    std::array<JBLOCKROW, McuDecoder::kMaxBlocks> out{};
    while (at.pos < part.limit && part.marks.size() < capacity) {
        const size_t i = part.marks.size();
        part.marks.push_back(at);
        for (size_t b = 0; b < blocks; ++b)
            out[b] = part.blocks.row(i) + b;
        if (m_mcu.decode(m_segment.data(), m_segment.bits(), at.pos, at.dc.data(), out.data()) &&
            at.pos <= m_segment.bits())
            continue;
        // None of these were true MCU starts: the true ones decode without fault. Start again
        // where the fault was.
        std::memset(part.blocks.row(0), 0, (i + 1) * blocks * sizeof(JBLOCK));
        at = Mark{std::max(at.pos, part.marks.back().pos + 1), {}};
        part.marks.clear();
    }
    part.marks.push_back(at);
}

bool ParallelEntropyDecoder::join(Mark& state, int64_t& mcu)
{
    std::vector<const Guess*> guesses;
    guesses.reserve(m_guesses.size());
    for (const Guess& part : m_guesses)
        guesses.push_back(&part);
    const bool joined = ScanGuesses::join(
        guesses, state, mcu, m_mcu.mcuCount(),
        [this](Mark& at, int64_t next) { return decodeAt(at.pos, next, at.dc.data()); },
        [&](const Guess& part, size_t j, int64_t count,
            const std::array<int32_t, MAX_COMPONENTS>& shift) {
            m_joins.push_back({&part, j, count, mcu, shift});
            ++m_resynchronised;
        });
    return joined && m_segment.bits() - state.pos < 8;
}

void ParallelEntropyDecoder::copy(const Join& join, int64_t from, int64_t to) const
{
    std::array<JBLOCKROW, McuDecoder::kMaxBlocks> out{};
    for (int64_t i = from; i < to; ++i) {
        place(join.at + i, out.data());
        JBLOCK* const in = join.guess->blocks.row(join.from + size_t(i));
        for (int b = 0; b < m_mcu.blocks(); ++b) {
            std::memcpy(out[b], in + b, sizeof(JBLOCK));
            const auto c = size_t(m_mcu.component(b));
            out[b][0][0] = JCOEF(uint32_t(in[b][0]) + uint32_t(join.dcShift[c]));
        }
    }
}
