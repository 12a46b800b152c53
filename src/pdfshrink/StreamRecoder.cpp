// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StreamRecoder.h"

#include "Deflater.h"
#include "compress/DctRecompressor.h"
#include "compress/JpegCompressor.h"

#include <QImage>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace {
QSize scaledSize(const StreamJob& job)
{
    return {std::max(1, int(std::lround(job.size.width() * job.scale))),
            std::max(1, int(std::lround(job.size.height() * job.scale)))};
}

// Area averaging: each output sample is the mean of the source samples it covers.
void resize(const uchar* from, int bytesPerLine, QSize size, int type, uchar* to,
            int toBytesPerLine, QSize toSize)
{
    const cv::Mat src(size.height(), size.width(), type, const_cast<uchar*>(from),
                      size_t(bytesPerLine));
    cv::Mat dst(toSize.height(), toSize.width(), type, to, size_t(toBytesPerLine));
    cv::resize(src, dst, dst.size(), 0, 0, cv::INTER_AREA);
}

void keepSmaller(StreamJob& job, QByteArray bytes)
{
    job.encoded.push_back(!bytes.isEmpty() && bytes.size() < job.stored.size() ? std::move(bytes)
                                                                               : QByteArray());
    job.deflated.push_back(false);
}

// A JPEG result, or the stored JPEG where there is none, deflated when that makes it smaller.
void keepSmallerJpeg(StreamJob& job, QByteArray bytes)
{
    keepSmaller(job, std::move(bytes));
    const QByteArray& jpeg = job.encoded.back().isEmpty() ? job.stored : job.encoded.back();
    QByteArray wrapped = Deflater::deflate(jpeg);
    if (!wrapped.isEmpty() && wrapped.size() < jpeg.size() && wrapped.size() < job.stored.size()) {
        job.encoded.back() = std::move(wrapped);
        job.deflated.back() = true;
    }
}

void recodeJpeg(StreamJob& job)
{
    const QByteArray jpeg = StreamRecoder::withoutExif(job.stored);
    if (job.scale < 1) {
        const QImage pixels = JpegCompressor::decode(jpeg);
        const bool gray = pixels.format() == QImage::Format_Grayscale8;
        if (pixels.size() != job.size || gray != (job.components == 1))
            return;
        const QSize to = scaledSize(job);
        QImage scaled(to, pixels.format());
        resize(pixels.constBits(), int(pixels.bytesPerLine()), pixels.size(),
               gray ? CV_8UC1 : CV_8UC4, scaled.bits(), int(scaled.bytesPerLine()), to);
        for (const int quality : job.qualities)
            keepSmallerJpeg(job, JpegCompressor::encode(scaled, quality));
        job.newSize = to;
        return;
    }
    DctRecompressor recompressor(jpeg, *std::ranges::max_element(job.qualities));
    const bool usable = recompressor.isUsable() && recompressor.uprightSize() == job.size;
    for (size_t k = 0; k < job.qualities.size(); ++k) {
        const int quality = job.qualities[k];
        keepSmallerJpeg(job, !usable                         ? QByteArray()
                             : k + 1 == job.qualities.size() ? recompressor.encodeOnce(quality)
                                                             : recompressor.encode(quality));
    }
}

void recodeDeflate(StreamJob& job)
{
    if (job.scale < 1 && !job.samples.isEmpty()) {
        const int row = job.size.width() * job.components;
        if (job.samples.size() < qsizetype(row) * job.size.height())
            return;
        const QSize to = scaledSize(job);
        QByteArray scaled(qsizetype(to.width()) * job.components * to.height(), Qt::Uninitialized);
        resize(reinterpret_cast<const uchar*>(job.samples.constData()), row, job.size,
               CV_8UC(job.components), reinterpret_cast<uchar*>(scaled.data()),
               to.width() * job.components, to);
        keepSmaller(job, Deflater::deflate(scaled));
        if (!job.encoded.back().isEmpty())
            job.newSize = to;
        return;
    }
    const QByteArray data =
        job.inflateFirst ? Deflater::inflate(job.stored, job.inflateLimit) : job.stored;
    if (data.isEmpty())
        return;
    keepSmaller(job, Deflater::deflate(data));
}
} // namespace

void StreamRecoder::recode(StreamJob& job)
{
    job.encoded.clear();
    job.deflated.clear();
    if (job.kind == StreamJob::Kind::Jpeg)
        recodeJpeg(job);
    else
        recodeDeflate(job);
    job.samples.clear();
}

QByteArray StreamRecoder::withoutExif(const QByteArray& jpeg)
{
    // Markers up to the first scan: SOI, then segments of FF xx and a two-byte length.
    if (!jpeg.startsWith("\xff\xd8"))
        return jpeg;
    QByteArray out = jpeg.left(2);
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xff) {
        const auto marker = uchar(jpeg[at + 1]);
        const qsizetype length = (uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]);
        if (marker == 0xda || length < 2 || at + 2 + length > jpeg.size())
            break;
        const bool exif = marker == 0xe1 && jpeg.mid(at + 4, 4) == "Exif";
        if (!exif)
            out.append(jpeg.constData() + at, 2 + length);
        at += 2 + length;
    }
    out.append(jpeg.constData() + at, jpeg.size() - at);
    return out;
}
