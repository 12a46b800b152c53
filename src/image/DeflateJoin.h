// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// One zlib stream from parts deflated apart: whole raw deflate streams, each going on at the bit
// where the one before ends, and runs of PNG rows equal to the row above, written here as copies
// of the byte before. libdeflate takes whole buffers only, and in such runs it spends a third of
// a text page's time entering every byte into its match finder.
class DeflateJoin
{
  public:
    DeflateJoin();

    // Appends a whole raw deflate stream, clearing its last block's final flag in place; false
    // when it is not one, and then nothing is appended.
    bool append(std::span<uint8_t> stream);
    // Appends count rows of the "up" filter's type byte (2) and rowBytes zeros; false when the
    // rows do not fit the block's code, and then nothing is appended.
    bool appendRepeatedRows(size_t count, size_t rowBytes);
    // Ends the stream; adler is the Adler-32 of all the bytes the parts stand for.
    std::vector<uint8_t> finish(uint32_t adler);

  private:
    void put(uint32_t bits, int count);
    void putBits(const uint8_t* bytes, size_t count);
    void padToByte();

    std::vector<uint8_t> m_out;
    uint32_t m_pending = 0; // bits not yet a whole byte, the first in the lowest
    int m_pendingBits = 0;
};
