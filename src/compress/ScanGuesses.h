// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <jpeglib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

// How a scan without restart markers is decoded in parts, shared by ParallelEntropyDecoder (into
// blocks) and RecordedScan (into records): each part after the first is decoded from a guessed
// start, and the decoding in order, run on past its own part, joins it where the two meet.
namespace ScanGuesses {
// The data at the very end could hold a last MCU short enough to start within padding: a guess
// stops this many bits before it and the end is decoded in order.
inline constexpr uint64_t kTail = 64;

// Part i of parts (i > 0) of a scan of bits: where its guess starts, and the MCU start at or past
// which it stops.
struct Bounds
{
    uint64_t start = 0;
    uint64_t limit = 0;
};
inline Bounds bounds(uint64_t bits, int i, int parts)
{
    const uint64_t last = bits > kTail ? bits - kTail : 0;
    return {std::min(bits * uint64_t(i) / uint64_t(parts) / 8 * 8, last),
            i + 1 < parts ? bits * uint64_t(i + 1) / uint64_t(parts) / 8 * 8 : last};
}

// The MCUs an even share of the data would hold from start to limit, of mcus in bits.
inline uint64_t share(uint64_t mcus, uint64_t bits, const Bounds& part)
{
    return mcus * (part.limit - part.start) / std::max<uint64_t>(bits, 1);
}
// Room for twice that: a guess that runs out stops early, and the decoding in order goes on.
inline size_t capacity(uint64_t mcus, uint64_t share)
{
    return size_t(std::min(2 * share + 4096, mcus));
}

// Whether a scan of mcus MCUs, interval MCUs per restart interval (0 without), has as many
// intervals as it should.
inline bool intervalsFit(int64_t mcus, int64_t interval, size_t intervals)
{
    return interval > 0 ? int64_t(intervals) == (mcus + interval - 1) / interval : intervals == 1;
}

// Runs the decoding in order on from state (at MCU mcu of total) through each guess in turn:
// decodeNext(state, mcu) decodes one MCU; met(guess, j, count, shift) takes the guess's MCUs
// [j, j + count) as the next ones, their DC predictions to be shifted by shift. Each guess has
// marks (its MCUs' starts, and where it stopped, each with pos and dc) and a limit. False when
// the decoding in order fails; state is then past the last MCU.
template <typename Mark, typename Guess, typename DecodeNext, typename Met>
bool join(const std::vector<const Guess*>& guesses, Mark& state, int64_t& mcu, int64_t total,
          DecodeNext&& decodeNext, Met&& met)
{
    for (const Guess* part : guesses) {
        const size_t decoded = part->marks.empty() ? 0 : part->marks.size() - 1;
        size_t j = 0;
        while (mcu < total) {
            while (j < decoded && part->marks[j].pos < state.pos)
                ++j;
            if (j < decoded && part->marks[j].pos == state.pos) {
                // Met: from here the guess decoded what the decoding in order would have.
                const int64_t count = std::min(int64_t(decoded - j), total - mcu);
                const auto& end = part->marks[j + size_t(count)];
                std::array<int32_t, MAX_COMPONENTS> shift{};
                for (size_t c = 0; c < MAX_COMPONENTS; ++c) {
                    shift[c] = int32_t(uint32_t(state.dc[c]) - uint32_t(part->marks[j].dc[c]));
                    state.dc[c] = int32_t(uint32_t(end.dc[c]) + uint32_t(shift[c]));
                }
                met(*part, j, count, shift);
                state.pos = end.pos;
                mcu += count;
                break;
            }
            if (state.pos >= part->limit)
                break;
            if (!decodeNext(state, mcu))
                return false;
            ++mcu;
        }
    }
    for (; mcu < total; ++mcu)
        if (!decodeNext(state, mcu))
            return false;
    return true;
}
} // namespace ScanGuesses
