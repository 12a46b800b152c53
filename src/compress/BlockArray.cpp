// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BlockArray.h"

#include <algorithm>

BlockArray::BlockArray(size_t width, size_t height)
    : m_blocks(
          static_cast<JBLOCK*>(std::calloc(std::max<size_t>(width * height, 1), sizeof(JBLOCK)))),
      m_width(m_blocks ? width : 0), m_height(m_blocks ? height : 0)
{
}

std::vector<JBLOCKROW> BlockArray::rows(size_t count) const
{
    std::vector<JBLOCKROW> out(std::min(count, m_height));
    for (size_t y = 0; y < out.size(); ++y)
        out[y] = row(y);
    return out;
}
