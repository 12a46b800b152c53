// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngEncoder.h"

#include <QtEndian>

#include <libdeflate.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {
// libdeflate level 2 gives smaller files than zlib's level 2 on rendered pages, several times
// faster.
constexpr int kLevel = 2;

struct CompressorFree
{
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void appendChunk(QByteArray& out, const char type[4], const uint8_t* data, size_t size)
{
    uchar length[4];
    qToBigEndian(quint32(size), length);
    out.append(reinterpret_cast<const char*>(length), 4);
    const qsizetype start = out.size();
    out.append(type, 4);
    if (size > 0)
        out.append(reinterpret_cast<const char*>(data), qsizetype(size));
    const uint32_t crc = libdeflate_crc32(0, out.constData() + start, size_t(out.size() - start));
    uchar crcBytes[4];
    qToBigEndian(quint32(crc), crcBytes);
    out.append(reinterpret_cast<const char*>(crcBytes), 4);
}

// One row of PNG samples (gray, RGB or RGBA, 8 bits) from a Qt scan line.
void toSamples(const uchar* line, int width, int channels, uint8_t* samples)
{
    if (channels == 1) {
        std::copy(line, line + width, samples);
        return;
    }
    // Qt keeps a 32-bit pixel as one native word, so read it as one.
    const auto* pixels = reinterpret_cast<const quint32*>(line);
    for (int x = 0; x < width; ++x) {
        const quint32 p = pixels[x];
        *samples++ = uint8_t(p >> 16);
        *samples++ = uint8_t(p >> 8);
        *samples++ = uint8_t(p);
        if (channels == 4)
            *samples++ = uint8_t(p >> 24);
    }
}

// The sum of the bytes read as signed values: the usual guess at how well a row will deflate.
uint64_t cost(const uint8_t* row, size_t n)
{
    uint64_t sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += uint64_t(std::abs(int(int8_t(row[i]))));
    return sum;
}
} // namespace

QByteArray PngEncoder::encode(const QImage& image)
{
    if (image.isNull())
        return {};
    QImage source = image;
    const QImage::Format f = image.format();
    if (f != QImage::Format_Grayscale8 && f != QImage::Format_RGB32 && f != QImage::Format_ARGB32)
        source = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                               : QImage::Format_RGB32);
    const bool gray = source.format() == QImage::Format_Grayscale8;
    const bool alpha = source.format() == QImage::Format_ARGB32;
    const int channels = gray ? 1 : alpha ? 4 : 3;
    const auto width = size_t(source.width());
    const auto height = size_t(source.height());
    const size_t rowBytes = width * size_t(channels);

    // Each row is filtered with none (flat rows of text pages) or up (photos), whichever the
    // row's bytes suggest; the rows then go through one deflate call.
    std::vector<uint8_t> filtered(height * (rowBytes + 1));
    std::vector<uint8_t> previous(rowBytes, 0);
    std::vector<uint8_t> current(rowBytes);
    std::vector<uint8_t> up(rowBytes);
    for (size_t y = 0; y < height; ++y) {
        toSamples(source.constScanLine(int(y)), int(width), channels, current.data());
        for (size_t i = 0; i < rowBytes; ++i)
            up[i] = uint8_t(current[i] - previous[i]);
        const bool useUp = y > 0 && cost(up.data(), rowBytes) < cost(current.data(), rowBytes);
        uint8_t* out = filtered.data() + y * (rowBytes + 1);
        out[0] = useUp ? 2 : 0;
        std::copy_n(useUp ? up.data() : current.data(), rowBytes, out + 1);
        previous.swap(current);
    }

    std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(kLevel));
    if (!compressor)
        return {};
    std::vector<uint8_t> deflated(
        libdeflate_zlib_compress_bound(compressor.get(), filtered.size()));
    const size_t deflatedSize = libdeflate_zlib_compress(
        compressor.get(), filtered.data(), filtered.size(), deflated.data(), deflated.size());
    if (deflatedSize == 0)
        return {};

    QByteArray out;
    out.reserve(qsizetype(deflatedSize) + 128);
    out.append("\x89PNG\r\n\x1a\n", 8);
    uint8_t header[13] = {};
    qToBigEndian(quint32(width), header);
    qToBigEndian(quint32(height), header + 4);
    header[8] = 8;                        // bit depth
    header[9] = gray ? 0 : alpha ? 6 : 2; // colour type
    appendChunk(out, "IHDR", header, sizeof header);
    if (source.dotsPerMeterX() > 0 && source.dotsPerMeterY() > 0) {
        uint8_t phys[9] = {};
        qToBigEndian(quint32(source.dotsPerMeterX()), phys);
        qToBigEndian(quint32(source.dotsPerMeterY()), phys + 4);
        phys[8] = 1; // metres
        appendChunk(out, "pHYs", phys, sizeof phys);
    }
    appendChunk(out, "IDAT", deflated.data(), deflatedSize);
    appendChunk(out, "IEND", nullptr, 0);
    return out;
}
