// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegInfo.h"

#include <QIODevice>

namespace {
bool readBytes(QIODevice& d, uchar* out, int n)
{
    return d.read(reinterpret_cast<char*>(out), n) == n;
}
} // namespace

bool JpegInfo::embeddable() const
{
    return size.width() > 0 && size.height() > 0 && precision == 8 &&
           (components == 1 || components == 3 || components == 4);
}

JpegInfo JpegInfo::read(QIODevice& d)
{
    JpegInfo info;
    if (!d.isReadable())
        return info;
    uchar soi[2];
    if (!readBytes(d, soi, 2) || soi[0] != 0xFF || soi[1] != 0xD8)
        return info;
    for (;;) {
        uchar b = 0;
        // Markers may be padded with any number of 0xFF bytes.
        do {
            if (!readBytes(d, &b, 1))
                return {};
        } while (b != 0xFF);
        do {
            if (!readBytes(d, &b, 1))
                return {};
        } while (b == 0xFF);
        const uchar marker = b;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // no length field
        if (marker == 0xD9 || marker == 0xDA)
            return info; // the frame header, when there is one, came before the image data
        uchar len[2];
        if (!readBytes(d, len, 2))
            return {};
        const int length = (len[0] << 8 | len[1]) - 2;
        if (length < 0)
            return {};
        const qint64 next = d.pos() + length;
        if (marker == 0xEE && length >= 12) {
            uchar tag[5];
            if (readBytes(d, tag, 5) && QByteArray(reinterpret_cast<char*>(tag), 5) == "Adobe")
                info.adobe = true;
        } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                   marker != 0xCC) {
            uchar sof[6];
            if (length < 6 || !readBytes(d, sof, 6))
                return {};
            // Only baseline, extended and progressive Huffman frames are readable by every
            // PDF reader; lossless, hierarchical and arithmetic coded ones are not.
            const bool huffman = marker == 0xC0 || marker == 0xC1 || marker == 0xC2;
            info.precision = huffman ? sof[0] : 0;
            info.size = QSize(sof[3] << 8 | sof[4], sof[1] << 8 | sof[2]);
            info.components = sof[5];
        }
        if (!d.seek(next))
            return {};
    }
}
