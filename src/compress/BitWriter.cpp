// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BitWriter.h"

#include <cstring>

void BitWriter::appendStuffed(QByteArray& out, const uint8_t* bytes, size_t n)
{
    const auto* end = bytes + n;
    while (bytes < end) {
        const auto* ff = static_cast<const uint8_t*>(std::memchr(bytes, 0xFF, size_t(end - bytes)));
        const auto* stop = ff ? ff + 1 : end;
        out.append(reinterpret_cast<const char*>(bytes), qsizetype(stop - bytes));
        if (ff)
            out.append('\0');
        bytes = stop;
    }
}
