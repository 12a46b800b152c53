// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoefficientMapper.h"
#include "HuffmanCode.h"

#include <QByteArray>

#include <array>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

class RecordedScan;

// Huffman-codes the one scan of a baseline JPEG from its quantized blocks, with codes made for
// them, on several cores: the bits libjpeg writes with optimize_coding. Each core counts the
// symbols of its share of the MCUs; with the codes made, each knows where its bits start and
// writes them; the parts are joined and byte-stuffed last.
class ScanEncoder
{
  public:
    static constexpr int kTables = 2;

    struct Component
    {
        const JBLOCKROW* rows = nullptr; // rows[y][x], natural order, at least the real ones
        int realWidth = 0;               // blocks that hold picture, without padding to MCUs
        int realHeight = 0;
        int h = 1; // blocks across and down one MCU
        int v = 1;
        int table = 0; // DC and AC code, 0 or 1
    };

    // An interleaved scan has mcusPerRow × mcuRows MCUs; a scan of one component has a block for
    // each MCU and no padding. False for a coefficient beyond baseline's range.
    bool encode(const std::vector<Component>& components, int mcusPerRow, int mcuRows, int parts);
    // The same from a scan recorded with its new quantization (the components' rows unused), its
    // MCUs those of the picture; mappers quantize each component's DC anew.
    bool encode(const std::vector<Component>& components, int mcusPerRow, int mcuRows,
                const RecordedScan& scan,
                const std::array<const CoefficientMapper*, MAX_COMPONENTS>& mappers, int parts);

    [[nodiscard]] const HuffmanCode& dc(int table) const { return m_dc[size_t(table)]; }
    [[nodiscard]] const HuffmanCode& ac(int table) const { return m_ac[size_t(table)]; }
    // The coded scan, byte-stuffed, its last byte filled with one bits.
    [[nodiscard]] const QByteArray& data() const { return m_data; }

  private:
    struct Part;
    // The picture's components and its MCUs (a block each for one component).
    void take(const std::vector<Component>& components, int mcusPerRow, int mcuRows);
    bool run(int parts);
    // visit(c, dc, records) for each block of MCUs [from, to) in order: its component, its DC
    // (null for a block past the picture's edges) and its AC records, ending with 0.
    template <typename Visit> void walk(int64_t from, int64_t to, Visit&& visit) const;
    template <typename Visit> void walkRecorded(int64_t from, int64_t to, Visit&& visit) const;
    // each(c, x, y, real) for each block of MCUs [from, to), in order.
    template <typename Each> void eachBlock(int64_t from, int64_t to, Each&& each) const;
    [[nodiscard]] std::array<int32_t, 4> dcBefore(int64_t mcu) const;
    bool count(Part& part) const;
    void write(Part& part) const;
    void join(const std::vector<Part>& parts);

    std::vector<Component> m_components;
    const RecordedScan* m_scan = nullptr;
    bool m_turned = false; // the recorded scan's blocks are taken where the turn puts them
    std::array<const CoefficientMapper*, MAX_COMPONENTS> m_mappers{};
    int m_mcusPerRow = 0;
    int64_t m_mcus = 0;
    std::array<HuffmanCode, kTables> m_dc;
    std::array<HuffmanCode, kTables> m_ac;
    QByteArray m_data;
};
