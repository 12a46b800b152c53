// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BlockArray.h"
#include "EntropySegment.h"
#include "McuDecoder.h"

#include <array>
#include <vector>

// Decodes the one Huffman-coded scan of a sequential JPEG on several cores into the coefficient
// blocks libjpeg's jpeg_read_coefficients gives. With restart markers the scan is split at them.
// Without, it is split at byte offsets: each part after the first is decoded from its first bit as
// if an MCU started there, and the decoding of the part before, run on past its end, soon meets
// one of those MCU starts (Huffman codes resynchronise within a few codewords); from there on the
// two agree, and only the DC predictions, carried from the part before, are mended.
class ParallelEntropyDecoder
{
  public:
    // info: a reader that has read the header; scan: from the first byte of the scan's data to
    // the end of the file. False for a scan it does not take, or data libjpeg would warn about:
    // such a file is left to libjpeg. No libjpeg function is called, on any thread.
    bool decode(const jpeg_decompress_struct& info, const uint8_t* scan, size_t size, int parts);
    // Component c's block rows, as many as libjpeg's array has (whole MCUs).
    [[nodiscard]] std::vector<JBLOCKROW> rows(int c) const;
    // How many parts were joined where a guessed start met the decoding before it.
    [[nodiscard]] int resynchronised() const { return m_resynchronised; }

  private:
    // The decoding state at the start of an MCU.
    struct Mark
    {
        uint64_t pos = 0;
        std::array<int32_t, MAX_COMPONENTS> dc{};
    };
    // A part decoded from a guessed start, into blocks of its own, MCU after MCU.
    struct Guess
    {
        uint64_t start = 0;
        uint64_t limit = 0;      // it stops at the first MCU starting at or past this
        std::vector<Mark> marks; // one per MCU decoded, and where it stopped
        BlockArray blocks;       // a row per MCU
    };
    // MCUs of a guess that turned out right: its [from, from + count) are the MCUs from at on.
    struct Join
    {
        const Guess* guess = nullptr;
        size_t from = 0;
        int64_t count = 0;
        int64_t at = 0;
        std::array<int32_t, MAX_COMPONENTS> dcShift{};
    };

    void place(int64_t mcu, JBLOCKROW* out) const;
    bool decodeAt(uint64_t& pos, int64_t mcu, int32_t* dc) const;
    [[nodiscard]] bool decodeIntervals(size_t first, size_t last) const;
    void guess(Guess& part) const;
    bool join(Mark& state, int64_t& mcu);
    void copy(const Join& join, int64_t from, int64_t to) const;

    McuDecoder m_mcu;
    EntropySegment m_segment;
    int64_t m_interval = 0; // MCUs per restart interval, 0 without
    std::array<BlockArray, MAX_COMPONENTS> m_arrays;
    std::vector<Guess> m_guesses;
    std::vector<Join> m_joins;
    int m_resynchronised = 0;
};
