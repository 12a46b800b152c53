// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoefficientMapper.h"
#include "EntropySegment.h"
#include "McuDecoder.h"

#include <array>
#include <deque>
#include <vector>

// The one scan of a sequential JPEG decoded on several cores, as ParallelEntropyDecoder decodes
// it, straight into a compact form for a picture coded again where it stands (neither turned nor
// halved): per block its DC as read and the AC coefficients its new quantization keeps, in
// zig-zag order. A tenth of the memory of whole blocks, written and read once.
class RecordedScan
{
  public:
    // A block's AC records: zig-zag position << 16 | the value's 16 bits, ending with kEnd.
    static constexpr uint32_t kEnd = 0;

    // info: a reader that has read the header; scan: from the scan's first byte to the end of
    // the file; mappers: each component's quantization anew. False for a scan it does not take,
    // or data libjpeg would warn about.
    bool decode(const jpeg_decompress_struct& info, const uint8_t* scan, size_t size, int parts,
                const std::array<const CoefficientMapper*, MAX_COMPONENTS>& mappers);

    [[nodiscard]] const McuDecoder& mcu() const { return m_mcu; }
    // How many parts were joined where a guessed start met the decoding before it.
    [[nodiscard]] int resynchronised() const { return m_resynchronised; }

    // An MCU's blocks: the first one's AC records (the next block's follow its end), and each
    // block's DC as read, to which the shift of its component is added.
    struct Place
    {
        size_t segment = 0;
        size_t index = 0; // of the MCU in its segment's track
        const uint32_t* records = nullptr;
        const int32_t* dc = nullptr;
        const std::array<int32_t, MAX_COMPONENTS>* shift = nullptr;
    };
    [[nodiscard]] Place at(int64_t mcu) const;
    void advance(Place& place) const;

    // Block (x, y) of component c, anywhere: its AC records and its DC as read, shifted and kept
    // in 16 bits as libjpeg keeps it.
    struct Block
    {
        const uint32_t* records = nullptr;
        int32_t dc = 0;
    };
    [[nodiscard]] Block block(int c, int64_t x, int64_t y) const;
    // Component c's blocks across and down, those holding picture.
    [[nodiscard]] int width(int c) const { return m_width[size_t(c)]; }
    [[nodiscard]] int height(int c) const { return m_height[size_t(c)]; }

  private:
    struct Mark
    {
        uint64_t pos = 0;
        std::array<int32_t, MAX_COMPONENTS> dc{};
        size_t record = 0;
    };
    // MCUs decoded one after another from one start.
    struct Track
    {
        uint64_t start = 0;
        uint64_t limit = 0;            // a guess stops at the first MCU starting at or past this
        std::vector<Mark> marks;       // one per MCU decoded, and where it stopped
        std::vector<uint32_t> records; // the first used of them
        size_t used = 0;
        std::vector<int32_t> dc;
        std::vector<uint32_t> starts; // each block's first record
    };
    // MCUs [at, at + count) are the track's from its MCU first on.
    struct Segment
    {
        const Track* track = nullptr;
        size_t first = 0;
        int64_t count = 0;
        int64_t at = 0;
        std::array<int32_t, MAX_COMPONENTS> shift{};
    };

    bool decodeAt(Track& track, Mark& state) const;
    [[nodiscard]] bool decodeIntervals(Track& track, size_t first, size_t last) const;
    void guess(Track& part) const;
    bool join(Track& first, Mark& state);
    void fill(Place& place) const;
    void segment(const Track& track, size_t first, int64_t count,
                 const std::array<int32_t, MAX_COMPONENTS>& shift);

    McuDecoder m_mcu;
    EntropySegment m_segment;
    std::array<const CoefficientMapper*, MAX_COMPONENTS> m_mappers{};
    int64_t m_interval = 0;
    std::deque<Track> m_tracks; // stable addresses as tracks are added
    std::vector<Segment> m_segments;
    int64_t m_decoded = 0; // MCUs in segments so far
    int m_resynchronised = 0;
    std::array<int, MAX_COMPONENTS> m_width{};
    std::array<int, MAX_COMPONENTS> m_height{};
    std::array<int, MAX_COMPONENTS> m_firstBlock{}; // of each component in an MCU
};
