// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BlockLayout.h"

#include <array>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <jpeglib.h>
#include <mutex>
#include <vector>

// Hands an encoder a JPEG's blocks while its reader is still reading them, for a file read in one
// scan: the reader's memory manager reports each row it starts on; the encoder's waits for the
// rows it asks for and has them made (in place, over the source rows) before handing them over.
class BlockStream
{
  public:
    // Makes output rows [from, to) of component c in place, for the encoder asking; rows are the
    // source's block rows.
    using Maker =
        std::function<void(j_compress_ptr encoder, int c, int from, int to, JBLOCKROW* rows)>;

    // Per component: the source's rows and the output's (real rows, and as the encoder pads them)
    // and how many source rows each output row takes.
    BlockStream(const BlockLayout& layout, const std::array<int, 4>& sourceRows,
                const std::array<int, 4>& realRows, Maker maker);

    // Before the reader starts: it reports its rows from now on.
    void watch(j_decompress_ptr reader);
    // When the reader is done (ok) or gave up: the encoder then gets everything, or an error.
    void finish(bool ok);
    // Whether the reader's arrays could not be told apart by component: the encoder was then
    // given an error before any block was made, and the source's blocks are as read.
    [[nodiscard]] bool lost() const { return m_lost; }
    // Before jpeg_write_coefficients: the arrays to give it, served by this stream.
    jvirt_barray_ptr* serve(j_compress_ptr encoder);

  private:
    JBLOCKARRAY readerAccess(j_common_ptr info, jvirt_barray_ptr array, JDIMENSION start,
                             JDIMENSION rows, boolean writable);
    // The component whose coefficients array holds, or -1 when that cannot be told for sure.
    [[nodiscard]] int componentOf(jvirt_barray_ptr array) const;
    JBLOCKARRAY encoderAccess(j_common_ptr info, int c, JDIMENSION start, JDIMENSION rows);

    BlockLayout m_layout;
    std::array<int, 4> m_sourceRows{};
    std::array<int, 4> m_realRows{};
    Maker m_maker;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::array<std::vector<JBLOCKROW>, 4> m_rows;   // source rows seen so far
    std::array<int, 4> m_read{};                    // source rows known complete
    std::array<int, 4> m_made{};                    // output rows made
    std::array<std::vector<JBLOCKROW>, 4> m_served; // what the encoder is handed
    std::vector<JCOEF> m_blank; // a row of empty blocks, served after a failed read
    bool m_finished = false;
    bool m_failed = false;
    bool m_lost = false;
    bool m_handedOut = false; // the encoder has begun making blocks over the source's
    // Every block array asked of the reader's memory manager, in order: the reader's own come
    // last, one per component in component order.
    struct Requested
    {
        jvirt_barray_ptr array = nullptr;
        JDIMENSION blocksPerRow = 0;
        JDIMENSION rows = 0;
    };
    std::vector<Requested> m_requested;
    j_decompress_ptr m_reader = nullptr;
    decltype(jpeg_memory_mgr::access_virt_barray) m_readerAccess = nullptr;
    decltype(jpeg_memory_mgr::request_virt_barray) m_readerRequest = nullptr;
    std::array<jvirt_barray_ptr, 4> m_ids{};
};
