// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Deflater.h"

#include <libdeflate.h>

#include <algorithm>
#include <memory>

namespace {
struct Free
{
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};
} // namespace

QByteArray Deflater::inflate(const QByteArray& zlib, qint64 limit)
{
    const std::unique_ptr<libdeflate_decompressor, Free> d(libdeflate_alloc_decompressor());
    if (!d || zlib.isEmpty())
        return {};
    // libdeflate wants room for the whole output: start at four times the input and double.
    qint64 room = std::min(limit, std::max<qint64>(qint64(zlib.size()) * 4, 1 << 16));
    for (;;) {
        QByteArray out(qsizetype(room), Qt::Uninitialized);
        size_t used = 0;
        const libdeflate_result r = libdeflate_zlib_decompress(
            d.get(), zlib.constData(), size_t(zlib.size()), out.data(), size_t(out.size()), &used);
        if (r == LIBDEFLATE_SUCCESS) {
            out.truncate(qsizetype(used));
            return out;
        }
        if (r != LIBDEFLATE_INSUFFICIENT_SPACE || room >= limit)
            return {};
        room = std::min(limit, room * 2);
    }
}

QByteArray Deflater::deflate(const QByteArray& data, int level)
{
    const std::unique_ptr<libdeflate_compressor, Free> c(libdeflate_alloc_compressor(level));
    if (!c)
        return {};
    QByteArray out(qsizetype(libdeflate_zlib_compress_bound(c.get(), size_t(data.size()))),
                   Qt::Uninitialized);
    const size_t used = libdeflate_zlib_compress(c.get(), data.constData(), size_t(data.size()),
                                                 out.data(), size_t(out.size()));
    if (used == 0)
        return {};
    out.truncate(qsizetype(used));
    return out;
}
