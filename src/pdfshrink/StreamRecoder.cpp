// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StreamRecoder.h"

#include "AreaAverage.h"
#include "Deflater.h"
#include "JpegPlanes.h"
#include "compress/DctRecompressor.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// Chroma further than this from neutral anywhere is colour worth keeping: a scan that is grey
// but stored as colour is stored as grey once it is scaled.
constexpr int kNeutralTolerance = 2;

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
    AreaAverage::down(src, dst);
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
    QByteArray wrapped = Deflater::deflate(jpeg, Deflater::kQuick);
    if (!wrapped.isEmpty() && wrapped.size() < jpeg.size() && wrapped.size() < job.stored.size()) {
        job.encoded.back() = std::move(wrapped);
        job.deflated.back() = true;
    }
}

// The libjpeg scaling (1/2, 1/4, 1/8) that decodes fewer samples while the area filter still
// averages at least two of them each way: its own filter is sharper and would show.
int decodeDenominator(double scale)
{
    int denominator = 1;
    while (denominator < 8 && denominator * 4 * scale <= 1)
        denominator *= 2;
    return denominator;
}

// Decoded plane by plane in the JPEG's own colour model (no conversion either way, no chroma
// upsampled only to be averaged down again), each plane averaged down, and encoded.
void recodeScaledJpeg(StreamJob& job, const QByteArray& jpeg)
{
    const int denominator = decodeDenominator(job.scale);
    const JpegPlanes planes = JpegPlanes::decode(jpeg, denominator);
    const QSize decoded((job.size.width() + denominator - 1) / denominator,
                        (job.size.height() + denominator - 1) / denominator);
    if (planes.planes.empty() || planes.size != decoded ||
        std::cmp_not_equal(planes.planes.size(), job.components))
        return;
    const bool grey = job.mayTurnGray && planes.isNeutral(kNeutralTolerance);
    const QSize to = scaledSize(job);
    const JpegSamples scaled = planes.scaled(to, grey);
    for (const int quality : job.qualities)
        keepSmallerJpeg(job, scaled.encode(quality));
    job.newSize = to;
    job.turnedGray = scaled.components() < job.components;
}

void recodeJpeg(StreamJob& job)
{
    const QByteArray jpeg = StreamRecoder::withoutExif(job.stored);
    if (job.scale < 1) {
        recodeScaledJpeg(job, jpeg);
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
