// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TiffRows.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {
// A band is read whole: a picture whose strips or tiles are larger than this (one strip of a
// whole compressed image, as some scanners write) cannot be taken a band at a time.
constexpr qint64 kMostBandBytes = qint64(128) << 20;
// Rows asked of libtiff at once at least, so that its per-call setup stays small.
constexpr int kFewestBandRows = 16;

QIODevice* deviceOf(thandle_t handle)
{
    return static_cast<QIODevice*>(handle);
}

tmsize_t readFrom(thandle_t handle, void* out, tmsize_t size)
{
    return tmsize_t(deviceOf(handle)->read(static_cast<char*>(out), qint64(size)));
}

tmsize_t writeNothing(thandle_t, void*, tmsize_t)
{
    return 0;
}

toff_t seekTo(thandle_t handle, toff_t offset, int whence)
{
    QIODevice* device = deviceOf(handle);
    const qint64 base = whence == SEEK_CUR   ? device->pos()
                        : whence == SEEK_END ? device->size()
                                             : 0;
    const qint64 to = base + qint64(offset);
    // Nothing past the end is read; a buffer would complain of the seek itself.
    return to >= 0 && to <= device->size() && device->seek(to) ? toff_t(to) : toff_t(-1);
}

int closeNothing(thandle_t)
{
    return 0;
}

toff_t sizeOf(thandle_t handle)
{
    return toff_t(deviceOf(handle)->size());
}

// libtiff's warnings are counted, never printed: a batch prints one line per failed input.
int counted(TIFF*, void* userData, const char*, const char*, va_list)
{
    if (userData)
        ++*static_cast<int*>(userData);
    return 1;
}

TIFF* openTiff(QIODevice& device, int* warnings)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, counted, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, counted, warnings);
    TIFF* tiff = TIFFClientOpenExt("photo", "r", &device, readFrom, writeNothing, seekTo,
                                   closeNothing, sizeOf, nullptr, nullptr, options);
    TIFFOpenOptionsFree(options);
    return tiff;
}

// The rows asked of libtiff at once: whole strips or rows of tiles, the units it decodes.
int bandRows(TIFF* tiff, int height)
{
    uint32_t rows = 0;
    if (TIFFIsTiled(tiff))
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &rows);
    else
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &rows);
    const qint64 unit = std::clamp<uint32_t>(rows, 1, uint32_t(height));
    const qint64 units = std::max<qint64>(1, (kFewestBandRows + unit - 1) / unit);
    return int(std::min<qint64>(height, unit * units));
}

bool bandFits(qint64 width, int rows)
{
    return StreamHeader::product(width * 4, rows) <= kMostBandBytes;
}

// How far the compression can shrink a picture at most; 0 for schemes without a useful bound
// (a CCITT or JBIG line of white, zstd, LZMA), which are not taken beyond the whole-bitmap limit.
qint64 mostRatio(int compression)
{
    switch (compression) {
    case COMPRESSION_NONE:
        return 1;
    case COMPRESSION_PACKBITS:
        return 64; // two bytes repeat a byte 128 times
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
        return 1032;
    case COMPRESSION_LZW:
        return 1400; // 12-bit codes of strings that grow a byte a code, 4094 before a reset
    case COMPRESSION_JPEG:
        return 768; // two bits for each 8 x 8 block of three bytes a pixel
    default:
        return 0;
    }
}
} // namespace

TiffRows::TiffRows(std::unique_ptr<QIODevice> device) : m_device(std::move(device))
{
    m_tiff = openTiff(*m_device, &m_warnings);
    char why[1024] = {};
    if (!m_tiff || !TIFFRGBAImageOK(m_tiff, why) || !TIFFRGBAImageBegin(&m_image, m_tiff, 1, why))
        return;
    m_begun = true;
    // Damaged data stops the reading (stop on error, above), as a damaged PNG's does: a band
    // of grey in a written file would pass for the picture. Rows come as stored; the turn the
    // header records is applied by whoever reads them.
    m_image.req_orientation = m_image.orientation;
    const int width = int(m_image.width), height = int(m_image.height);
    if (width <= 0 || height <= 0)
        return;
    m_bandRows = bandRows(m_tiff, height);
    if (!bandFits(width, m_bandRows))
        return;
    m_band.resize(size_t(width) * size_t(m_bandRows));
    const bool alpha =
        m_image.alpha == EXTRASAMPLE_ASSOCALPHA || m_image.alpha == EXTRASAMPLE_UNASSALPHA;
    // libtiff multiplies unassociated alpha in itself.
    setLayout(QSize(width, height),
              alpha ? QImage::Format_RGBA8888_Premultiplied : QImage::Format_RGBX8888);
    m_open = true;
}

TiffRows::~TiffRows()
{
    if (m_begun)
        TIFFRGBAImageEnd(&m_image);
    if (m_tiff)
        TIFFClose(m_tiff);
}

bool TiffRows::readBand()
{
    m_first += m_held;
    m_held = std::min(m_bandRows, size().height() - m_first);
    m_image.row_offset = m_first;
    m_image.col_offset = 0;
    return m_held > 0 &&
           TIFFRGBAImageGet(&m_image, m_band.data(), m_image.width, uint32_t(m_held)) != 0;
}

bool TiffRows::read(uchar* out)
{
    if (!m_open || m_next >= size().height())
        return false;
    if (m_next == m_first + m_held && !readBand()) {
        m_open = false;
        return false;
    }
    // libtiff's pixels are words of R, G, B, A from the lowest byte up: RGBA in memory.
    const uint32_t* row = m_band.data() + size_t(m_next - m_first) * m_image.width;
    for (int x = 0; x < size().width(); ++x, out += 4) {
        const uint32_t p = row[x];
        out[0] = uchar(TIFFGetR(p));
        out[1] = uchar(TIFFGetG(p));
        out[2] = uchar(TIFFGetB(p));
        out[3] = uchar(TIFFGetA(p));
    }
    ++m_next;
    return true;
}

StreamHeader TiffRows::header(QIODevice& device)
{
    StreamHeader h;
    int warnings = 0;
    TIFF* tiff = openTiff(device, &warnings);
    if (!tiff)
        return h;
    uint32_t width = 0, height = 0;
    uint16_t bits = 8, samples = 1, compression = COMPRESSION_NONE;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    char why[1024] = {};
    if (width > 0 && height > 0 && width <= INT_MAX && height <= INT_MAX) {
        h.size = QSize(int(width), int(height));
        const qint64 ratio = mostRatio(compression);
        h.rowByRow =
            ratio > 0 && TIFFRGBAImageOK(tiff, why) && bandFits(width, bandRows(tiff, int(height)));
        const qint64 rowBytes = StreamHeader::product(qint64(width) * samples, bits) / 8 + 1;
        h.fewestBytes = ratio > 0 ? StreamHeader::product(rowBytes, height) / ratio : 0;
    }
    TIFFClose(tiff);
    return h;
}
