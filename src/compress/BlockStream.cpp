// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BlockStream.h"

#include <algorithm>
#include <utility>

namespace {
BlockStream* streamOf(j_common_ptr info)
{
    return static_cast<BlockStream*>(info->client_data);
}
} // namespace

BlockStream::BlockStream(const BlockLayout& layout, const std::array<int, 4>& sourceRows,
                         const std::array<int, 4>& realRows, Maker maker)
    : m_layout(layout), m_sourceRows(sourceRows), m_realRows(realRows), m_maker(std::move(maker))
{
    m_blank.resize((size_t(*std::ranges::max_element(layout.widthInBlocks)) + 1) * DCTSIZE2);
    for (size_t c = 0; std::cmp_less(c, layout.components); ++c) {
        // The reader works in whole rows of its MCUs: a few past the real ones.
        m_rows[c].resize(size_t(sourceRows[c]) + 4);
        m_served[c].resize(size_t(std::max(layout.heightInBlocks[c], realRows[c])));
        m_ids[c] = reinterpret_cast<jvirt_barray_ptr>(&m_served[c]);
    }
}

void BlockStream::watch(j_decompress_ptr reader)
{
    reader->client_data = this;
    m_reader = reader;
    m_readerAccess = reader->mem->access_virt_barray;
    m_readerRequest = reader->mem->request_virt_barray;
    reader->mem->request_virt_barray = [](j_common_ptr info, int pool, boolean preZero,
                                          JDIMENSION blocksPerRow, JDIMENSION rows,
                                          JDIMENSION maxAccess) {
        BlockStream* self = streamOf(info);
        jvirt_barray_ptr made =
            self->m_readerRequest(info, pool, preZero, blocksPerRow, rows, maxAccess);
        self->m_requested.push_back({made, blocksPerRow, rows});
        return made;
    };
    reader->mem->access_virt_barray = [](j_common_ptr info, jvirt_barray_ptr array,
                                         JDIMENSION start, JDIMENSION rows, boolean writable) {
        return streamOf(info)->readerAccess(info, array, start, rows, writable);
    };
}

JBLOCKARRAY BlockStream::readerAccess(j_common_ptr info, jvirt_barray_ptr array, JDIMENSION start,
                                      JDIMENSION rows, boolean writable)
{
    JBLOCKARRAY got = m_readerAccess(info, array, start, rows, writable);
    // A one-scan reader takes each row of MCUs in turn: when it starts on a component's row, that
    // component's rows before it are complete.
    const int c = componentOf(array);
    const auto i = size_t(c);
    {
        const std::scoped_lock lock(m_mutex);
        if (m_failed)
            return got;
        if (c < 0) {
            // Not the reader's array as expected: no block goes to the encoder. When none has been
            // made yet, the source's blocks are still as read and can be encoded the plain way.
            m_lost = !m_handedOut;
            m_failed = true;
            m_changed.notify_all();
            return got;
        }
        for (JDIMENSION r = 0; r < rows && start + r < m_rows[i].size(); ++r)
            m_rows[i][start + r] = got[r];
        m_read[i] = std::max(m_read[i], int(start));
    }
    m_changed.notify_all();
    return got;
}

void BlockStream::finish(bool ok)
{
    {
        const std::scoped_lock lock(m_mutex);
        m_finished = true;
        m_reader->mem->access_virt_barray = m_readerAccess;
        m_reader->mem->request_virt_barray = m_readerRequest;
        m_failed = m_failed || !ok;
        if (ok && !m_lost)
            m_read = m_sourceRows;
    }
    m_changed.notify_all();
}

int BlockStream::componentOf(jvirt_barray_ptr array) const
{
    // The reader asks for its coefficient arrays last, one per component in component order,
    // each the component's blocks rounded up to whole MCUs: anything else is not trusted.
    const int n = m_layout.components;
    if (std::cmp_less(m_requested.size(), n))
        return -1;
    const auto first = m_requested.end() - n;
    const auto at = std::find_if(first, m_requested.end(),
                                 [&](const Requested& r) { return r.array == array; });
    if (at == m_requested.end())
        return -1;
    const int c = int(at - first);
    const jpeg_component_info& component = m_reader->comp_info[c];
    const auto roundUp = [](JDIMENSION value, int step) {
        return (value + JDIMENSION(step) - 1) / JDIMENSION(step) * JDIMENSION(step);
    };
    if (at->blocksPerRow != roundUp(component.width_in_blocks, component.h_samp_factor) ||
        at->rows != roundUp(component.height_in_blocks, component.v_samp_factor))
        return -1;
    return c;
}

jvirt_barray_ptr* BlockStream::serve(j_compress_ptr encoder)
{
    encoder->client_data = this;
    encoder->mem->access_virt_barray = [](j_common_ptr info, jvirt_barray_ptr array,
                                          JDIMENSION start, JDIMENSION rows, boolean) {
        BlockStream* self = streamOf(info);
        const auto at = std::ranges::find(self->m_ids, array);
        return self->encoderAccess(info, int(at - self->m_ids.begin()), start, rows);
    };
    return m_ids.data();
}

JBLOCKARRAY BlockStream::encoderAccess(j_common_ptr info, int c, JDIMENSION start, JDIMENSION rows)
{
    const auto i = size_t(c);
    const int end = std::min(int(start + rows), m_realRows[i]);
    // At least one row: its address stands in for the padding rows the encoder never reads.
    const int needed = std::clamp(end * m_layout.downY[i], 1, m_sourceRows[i]);
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_read[i] >= needed || m_failed; });
    if (m_failed) {
        // No error_exit from here: its longjmp would cross this frame's objects. The encoder
        // finishes on empty blocks instead, and its output is thrown away with the failed read.
        for (JDIMENSION r = 0; r < rows && start + r < m_served[i].size(); ++r)
            m_served[i][start + r] = reinterpret_cast<JBLOCKROW>(m_blank.data());
        return m_served[i].data() + start;
    }
    const int from = m_made[i];
    std::vector<JBLOCKROW> source(m_rows[i].begin(), m_rows[i].begin() + needed);
    m_handedOut = m_handedOut || end > from;
    lock.unlock();
    if (end > from) {
        // Each output row lies over its own source row, made from that one and those after it.
        m_maker(reinterpret_cast<j_compress_ptr>(info), c, from, end, source.data());
        m_made[i] = end;
    }
    for (int y = int(start); std::cmp_less(y, start + rows) && size_t(y) < m_served[i].size(); ++y)
        m_served[i][size_t(y)] = y < end ? source[size_t(y)] : source.front();
    return m_served[i].data() + start;
}
