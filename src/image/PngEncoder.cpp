// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngEncoder.h"

#include "DeflateJoin.h"
#include "common/Logging.h"
#include "common/VectorLoops.h"

#include <QtEndian>

#include <libdeflate.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {
// libdeflate level 2 gives smaller files than zlib's level 2 on rendered pages, several times
// faster.
constexpr int kLevel = 2;
// Rows like the one above are written apart in runs of at least deflate's window: what follows
// such a run could not refer back past it anyway, so splitting libdeflate's input there costs
// nothing. Across a shorter run, a line of text finds the letters of the line above.
constexpr size_t kShortestRunBytes = size_t(32) * 1024;

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

// One row of PNG samples (RGB or RGBA, 8 bits) from a Qt scan line of 32-bit pixels.
QUIRE_VECTOR_LOOPS void toSamples(const uchar* line, int width, int channels, uint8_t* samples)
{
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

// Filters row (after previous, null for the first) into out: a filter type byte, then the row as
// it is (none: flat rows of text pages) or less the row above (up: photos), whichever has the
// smaller sum of bytes read as signed values, the usual guess at how well a row will deflate.
// True for a row like the one above, as most of a page's margins are: all zeros under up.
QUIRE_VECTOR_LOOPS bool filterRow(const uint8_t* row, const uint8_t* previous, size_t n,
                                  uint8_t* out)
{
    if (previous && std::memcmp(row, previous, n) == 0) {
        out[0] = 2;
        std::memset(out + 1, 0, n);
        return true;
    }
    uint64_t none = 0;
    uint64_t up = 0;
    // Sums in 32 bits vectorize well; a chunk of this many bytes cannot overflow them.
    constexpr size_t kChunk = size_t(1) << 24;
    for (size_t start = 0; previous && start < n; start += kChunk) {
        uint32_t chunkNone = 0;
        uint32_t chunkUp = 0;
        for (size_t i = start, end = std::min(n, start + kChunk); i < end; ++i) {
            const auto d = uint8_t(row[i] - previous[i]);
            out[i + 1] = d;
            chunkUp += uint32_t(std::abs(int(int8_t(d))));
            chunkNone += uint32_t(std::abs(int(int8_t(row[i]))));
        }
        none += chunkNone;
        up += chunkUp;
    }
    const bool useUp = previous && up < none;
    out[0] = useUp ? 2 : 0;
    if (!useUp)
        std::memcpy(out + 1, row, n);
    return false;
}

// The zlib stream of height filtered rows of stride bytes. Runs of repeated rows are written as
// copies, and libdeflate compresses what lies between; empty when the compressor fails.
std::vector<uint8_t> deflated(const uint8_t* rows, size_t stride, size_t height,
                              const std::vector<uint8_t>& repeated)
{
    std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(kLevel));
    if (!compressor)
        return {};
    const size_t size = stride * height;
    const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), size);
    auto out = std::make_unique_for_overwrite<uint8_t[]>(bound);
    const auto whole = [&]() -> std::vector<uint8_t> {
        const size_t n = libdeflate_zlib_compress(compressor.get(), rows, size, out.get(), bound);
        return {out.get(), out.get() + n};
    };
    DeflateJoin join;
    size_t start = 0; // the first row libdeflate has not had; past 0 once a band is written
    const auto compressTo = [&](size_t end) {
        if (end == start)
            return true;
        const size_t n = libdeflate_deflate_compress(compressor.get(), rows + start * stride,
                                                     (end - start) * stride, out.get(), bound);
        return n > 0 && join.append({out.get(), n});
    };
    // Joining can only fail on a stream libdeflate did not write whole: said, and written whole.
    const auto unjoined = [&] {
        qCWarning(lcPdf) << "page rows could not be joined; deflated in one piece";
        return whole();
    };
    for (size_t y = 0; y < height;) {
        size_t end = y;
        while (end < height && repeated[end])
            ++end;
        if ((end - y) * stride >= kShortestRunBytes) {
            if (!compressTo(y) || !join.appendRepeatedRows(end - y, stride - 1))
                return unjoined();
            start = end;
        }
        y = std::max(end, y + 1);
    }
    if (start == 0)
        return whole();
    if (!compressTo(height))
        return unjoined();
    return join.finish(libdeflate_adler32(1, rows, size));
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

    // All the rows are filtered before any is deflated. Neither buffer needs clearing first.
    const size_t filteredSize = height * (rowBytes + 1);
    const auto filtered = std::make_unique_for_overwrite<uint8_t[]>(filteredSize);
    std::vector<uint8_t> samples(channels == 1 ? 0 : 2 * rowBytes);
    std::vector<uint8_t> repeated(height);
    const uint8_t* previous = nullptr;
    for (size_t y = 0; y < height; ++y) {
        const uchar* line = source.constScanLine(int(y));
        const uint8_t* row = line;
        if (channels > 1) {
            uint8_t* into = samples.data() + (y % 2) * rowBytes;
            toSamples(line, int(width), channels, into);
            row = into;
        }
        repeated[y] =
            filterRow(row, previous, rowBytes, filtered.get() + y * (rowBytes + 1)) ? 1 : 0;
        previous = row;
    }
    const std::vector<uint8_t> deflatedRows =
        deflated(filtered.get(), rowBytes + 1, height, repeated);
    if (deflatedRows.empty())
        return {};

    QByteArray out;
    out.reserve(qsizetype(deflatedRows.size()) + 128);
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
    appendChunk(out, "IDAT", deflatedRows.data(), deflatedRows.size());
    appendChunk(out, "IEND", nullptr, 0);
    return out;
}
