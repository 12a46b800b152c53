// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StreamHeader.h"

#include "TiffRows.h"

#include <QtNumeric>

#include <climits>
#include <limits>

namespace {
// Deflate codes at most 258 bytes in a little over two bits: no stream shrinks more than this.
constexpr qint64 kDeflateMostRatio = 1032;

uint big(const QByteArray& b, int at, int bytes)
{
    uint v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | uchar(b[at + i]);
    return v;
}

StreamHeader png(const QByteArray& head)
{
    StreamHeader h;
    if (head.size() < 29 || head.mid(12, 4) != "IHDR")
        return h;
    const qint64 width = big(head, 16, 4), height = big(head, 20, 4);
    const int depth = uchar(head[24]), type = uchar(head[25]);
    const int channels = type == 2 ? 3 : type == 4 ? 2 : type == 6 ? 4 : 1;
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX)
        return h;
    h.size = QSize(int(width), int(height));
    h.rowByRow = head[28] == 0;
    h.fewestBytes =
        StreamHeader::product((width * channels * depth + 7) / 8 + 1, height) / kDeflateMostRatio;
    return h;
}

StreamHeader jpeg(QIODevice& device)
{
    StreamHeader h;
    // Segments up to the frame header; each names its own length.
    for (int segment = 0; segment < 256; ++segment) {
        const QByteArray marker = device.read(4);
        if (marker.size() < 4 || uchar(marker[0]) != 0xFF)
            return h;
        const int kind = uchar(marker[1]);
        const int length = int(big(marker, 2, 2));
        const bool frame =
            kind >= 0xC0 && kind <= 0xCF && kind != 0xC4 && kind != 0xC8 && kind != 0xCC;
        if (frame) {
            const QByteArray sof = device.read(5);
            if (sof.size() < 5)
                return h;
            h.size = QSize(int(big(sof, 3, 2)), int(big(sof, 1, 2)));
            // Baseline and extended sequential Huffman: libjpeg hands out rows as it reads.
            h.rowByRow = (kind == 0xC0 || kind == 0xC1) && !h.size.isEmpty();
            // At least a one-bit DC code and a one-bit end of block for each 8 x 8 of luma.
            h.fewestBytes = qint64(h.size.width()) * h.size.height() / 256;
            return h;
        }
        const qint64 next = device.pos() + length - 2;
        if (length < 2 || next > device.size() || !device.seek(next))
            return h;
    }
    return h;
}
} // namespace

qint64 StreamHeader::product(qint64 a, qint64 b)
{
    qint64 p = 0;
    return qMulOverflow(a, b, &p) ? std::numeric_limits<qint64>::max() : p;
}

StreamHeader StreamHeader::read(QIODevice& device)
{
    if (!device.seek(0))
        return {};
    const QByteArray head = device.peek(32);
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return png(head);
    if (head.startsWith("\xFF\xD8")) {
        device.read(2);
        return jpeg(device);
    }
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)) ||
        head.startsWith(QByteArray("II+\0", 4)) || head.startsWith(QByteArray("MM\0+", 4)))
        return TiffRows::header(device);
    return {};
}
