// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The entropy-coded data of a JPEG's one scan with its byte stuffing taken out, split where its
// restart markers were; the scan must end with the end of image.
class EntropySegment
{
  public:
    // data: from the scan's first byte to the end of the file. False when the scan does not end
    // with an end-of-image marker, or its restart markers are out of turn.
    bool read(const uint8_t* data, size_t size);

    // The unstuffed data, followed by 8 zero bytes that decoding may look at but never take.
    [[nodiscard]] const uint8_t* data() const { return m_bytes.get(); }
    [[nodiscard]] uint64_t bits() const { return uint64_t(m_size) * 8; }
    // Where each restart interval starts, in bytes of the unstuffed data; the first at 0.
    [[nodiscard]] const std::vector<size_t>& intervals() const { return m_intervals; }

  private:
    std::unique_ptr<uint8_t[]> m_bytes; // written over whole: not cleared first
    size_t m_size = 0;
    std::vector<size_t> m_intervals;
};
