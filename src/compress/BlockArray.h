// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <memory>
#include <vector>

// A rectangle of zeroed coefficient blocks held outside libjpeg, addressed by block rows as
// libjpeg's own arrays are. Its memory comes from calloc, so pages nothing writes stay untouched.
class BlockArray
{
  public:
    BlockArray() = default;
    BlockArray(size_t width, size_t height);

    [[nodiscard]] bool isNull() const { return !m_blocks; }
    [[nodiscard]] size_t width() const { return m_width; }
    [[nodiscard]] size_t height() const { return m_height; }
    [[nodiscard]] JBLOCKROW row(size_t y) const { return m_blocks.get() + y * m_width; }
    // The first rows of the array, as JBLOCKROW pointers.
    [[nodiscard]] std::vector<JBLOCKROW> rows(size_t count) const;

  private:
    struct Free
    {
        void operator()(JBLOCK* blocks) const { std::free(blocks); }
    };
    std::unique_ptr<JBLOCK[], Free> m_blocks;
    size_t m_width = 0;
    size_t m_height = 0;
};
