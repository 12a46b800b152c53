// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the compression and resize jobs on a 12-megapixel photo, and how close the
// resize comes to an exact area-average of the same photo (PSNR, in dB).
#include "BenchSupport.h"
#include "compress/DctRecompressor.h"
#include "compress/JpegCompressor.h"
#include "compress/ParallelEntropyDecoder.h"
#include "compress/PhotoCompressor.h"
#include "resize/ImageResizer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <jpeglib.h>

namespace {
// $QUIRE_BENCH_PHOTO when set (a real photo), else a photo-like 4032 × 3024 JPEG: soft
// gradients, hard edges and sensor-like noise.
const QString& photoPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        if (const QString given = qEnvironmentVariable("QUIRE_BENCH_PHOTO"); !given.isEmpty())
            return given;
        QImage img(4032, 3024, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient sky(0, 0, 0, 3024);
        sky.setColorAt(0, QColor(90, 140, 210));
        sky.setColorAt(1, QColor(230, 200, 150));
        p.fillRect(img.rect(), sky);
        QRandomGenerator rng(7);
        for (int i = 0; i < 400; ++i) {
            p.setBrush(
                QColor::fromHsv(rng.bounded(360), 80 + rng.bounded(150), 80 + rng.bounded(170)));
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(rng.bounded(4032), rng.bounded(3024)), 20 + rng.bounded(300),
                          20 + rng.bounded(200));
        }
        p.end();
        bench::addSensorNoise(img, 8);
        const QString out = dir.path() + "/photo.jpg";
        QImageWriter writer(out, "jpeg");
        writer.setQuality(92);
        writer.write(img);
        return out;
    }();
    return path;
}

// Exact area average of src into a w × h grid, in double precision.
QImage referenceDownscale(const QImage& src, int w, int h)
{
    QImage out(w, h, QImage::Format_RGB32);
    const double sx = double(src.width()) / w, sy = double(src.height()) / h;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double r = 0, g = 0, b = 0, area = 0;
            for (int yy = int(y * sy); yy < std::min(src.height(), int(std::ceil((y + 1) * sy)));
                 ++yy) {
                const double wy =
                    std::min<double>(yy + 1, (y + 1) * sy) - std::max<double>(yy, y * sy);
                const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(yy));
                for (int xx = int(x * sx); xx < std::min(src.width(), int(std::ceil((x + 1) * sx)));
                     ++xx) {
                    const double wx =
                        std::min<double>(xx + 1, (x + 1) * sx) - std::max<double>(xx, x * sx);
                    const double a = wx * wy;
                    r += a * qRed(line[xx]);
                    g += a * qGreen(line[xx]);
                    b += a * qBlue(line[xx]);
                    area += a;
                }
            }
            out.setPixel(x, y, qRgb(int(r / area + 0.5), int(g / area + 0.5), int(b / area + 0.5)));
        }
    }
    return out;
}

double psnr(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += double(d) * d;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}
} // namespace

// Through pixels: decode, re-encode at quality 25 (the way non-JPEG sources still go).
static void BM_CompressPhotoPixels(benchmark::State& state)
{
    const Image photo = Image::fromFile(photoPath());
    QByteArray data;
    for (auto _ : state) {
        data = JpegCompressor::encode(photo, JpegCompressor::kQuality);
        benchmark::DoNotOptimize(JpegCompressor::decodes(data));
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["output_kb"] = double(data.size()) / 1000;
    state.counters["psnr_db"] = psnr(photo.toQImage(), QImage::fromData(data));
}
BENCHMARK(BM_CompressPhotoPixels)->Unit(benchmark::kMillisecond)->UseRealTime();

// In the DCT domain, as the compression job does for JPEGs.
static void BM_CompressPhotoDct(benchmark::State& state)
{
    const Image photo = Image::fromFile(photoPath());
    PhotoCompressor::Result result;
    for (auto _ : state)
        result = PhotoCompressor::compress(photo, {});
    state.SetItemsProcessed(state.iterations());
    state.counters["output_kb"] = double(result.bytes.size()) / 1000;
    state.counters["psnr_db"] = psnr(photo.toQImage(), QImage::fromData(result.bytes));
}
BENCHMARK(BM_CompressPhotoDct)->Unit(benchmark::kMillisecond)->UseRealTime();

// A one-scan photo's blocks read whole, then encoded at quality 25 (as for a turned photo or a
// search for a size): read by libjpeg (range 0) or by the parallel entropy decoder (range 1).
static void BM_RecompressOneScan(benchmark::State& state)
{
    const QByteArray jpeg = Image::fromFile(photoPath()).sourceBytes();
    const auto reading = state.range(0) == 0 ? DctRecompressor::Reading::Libjpeg
                                             : DctRecompressor::Reading::ParallelEntropy;
    for (auto _ : state) {
        DctRecompressor dct(jpeg, JpegCompressor::kQuality, reading);
        benchmark::DoNotOptimize(dct.encode(JpegCompressor::kQuality));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RecompressOneScan)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_FullQualitySizeLabel(benchmark::State& state)
{
    const Image photo = Image::fromFile(photoPath());
    for (auto _ : state)
        benchmark::DoNotOptimize(PhotoCompressor::fullQualitySize(photo));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullQualitySizeLabel)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_ResizeTo1000Wide(benchmark::State& state)
{
    const Image photo = Image::fromFile(photoPath());
    const QSizeF box = ImageResizer::drawingSize(photo.size(), 1000, 1000, true);
    QImage out;
    for (auto _ : state)
        out = ImageResizer::draw(photo, box);
    state.SetItemsProcessed(state.iterations());
    const QImage reference = referenceDownscale(photo.toQImage(), out.width(), out.height());
    state.counters["psnr_db"] = psnr(out, reference);
}
BENCHMARK(BM_ResizeTo1000Wide)->Unit(benchmark::kMillisecond)->UseRealTime();

// The photo's scan read alone: by libjpeg (range 0), or by the parallel entropy decoder in one
// part (1, the cost of the decoding itself on one core) or two (2).
static void BM_ReadScan(benchmark::State& state)
{
    const QByteArray jpeg = Image::fromFile(photoPath()).sourceBytes();
    for (auto _ : state) {
        jpeg_decompress_struct d{};
        jpeg_error_mgr err{};
        d.err = jpeg_std_error(&err);
        jpeg_create_decompress(&d);
        jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                     static_cast<unsigned long>(jpeg.size()));
        jpeg_read_header(&d, TRUE);
        if (state.range(0) == 0) {
            benchmark::DoNotOptimize(jpeg_read_coefficients(&d));
        } else {
            ParallelEntropyDecoder decoder;
            benchmark::DoNotOptimize(decoder.decode(d, d.src->next_input_byte,
                                                    d.src->bytes_in_buffer, int(state.range(0))));
        }
        jpeg_destroy_decompress(&d);
    }
}
BENCHMARK(BM_ReadScan)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
