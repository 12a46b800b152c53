// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The row-by-row readers of large pictures (TIFF bands, PNG and JPEG rows) and the header check
// that decides whether a picture may be read that way.
#include "FuzzSupport.h"
#include "image/JpegRows.h"
#include "image/PngRows.h"
#include "image/StreamHeader.h"
#include "image/TiffRows.h"

#include <QBuffer>

#include <cstdint>
#include <vector>

namespace {
// Small enough to read every row of in a fuzzing run.
constexpr qint64 kMostPixels = 4'000'000;

std::unique_ptr<QIODevice> deviceOver(const QByteArray& bytes)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

// Every row, then none: a reader never hands out more rows than its size says.
template <typename Rows> void readAll(Rows& rows)
{
    if (!rows.isOpen())
        return;
    const QSize size = rows.size();
    FUZZ_CHECK(size.width() > 0);
    FUZZ_CHECK(size.height() > 0);
    if (qint64(size.width()) * size.height() > kMostPixels)
        return;
    std::vector<uchar> row(size_t(size.width()) * 4);
    int y = 0;
    while (y < size.height() && rows.read(row.data()))
        ++y;
    FUZZ_CHECK(!rows.read(row.data()));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const StreamHeader header = StreamHeader::read(buffer);
    FUZZ_CHECK(!header.rowByRow || !header.size.isEmpty());
    FUZZ_CHECK(header.fewestBytes >= 0);
    if (bytes.startsWith("II") || bytes.startsWith("MM")) {
        TiffRows rows(deviceOver(bytes));
        readAll(rows);
    } else if (bytes.startsWith("\x89PNG")) {
        PngRows rows(deviceOver(bytes));
        readAll(rows);
    } else {
        JpegRows rows(deviceOver(bytes), 1 + int(size % 4 == 0) * 7);
        readAll(rows);
    }
    return 0;
}
