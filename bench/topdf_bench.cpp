// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Images to PDF: how fast and how lean writing a PDF of many large JPEG photos is.
//   topdf_bench                       Google Benchmark runs over cached photos
//   topdf_bench photos DIR N W H      makes N photo-like JPEGs of W x H pixels in DIR
//   topdf_bench pdf OUT.pdf FILES...  writes FILES as one PDF (for whole-process comparisons)
#include "BenchSupport.h"
#include "history/HistoryStore.h"
#include "topdf/PdfWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>

namespace {
// Gradients, shapes and sensor-like noise: compresses like a camera photo at quality 92.
QImage photoLike(int w, int h, quint32 seed)
{
    QRandomGenerator rng(seed);
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor::fromHsv(int(rng.bounded(360)), 120, 200));
    g.setColorAt(1, QColor::fromHsv(int(rng.bounded(360)), 160, 90));
    p.fillRect(img.rect(), g);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        p.setBrush(QColor::fromHsv(int(rng.bounded(360)), int(rng.bounded(255)),
                                   int(rng.bounded(255)), 140));
        p.drawEllipse(QPointF(rng.bounded(w), rng.bounded(h)), rng.bounded(w / 4) + 10,
                      rng.bounded(h / 4) + 10);
    }
    p.end();
    quint32 x = seed * 2654435761u + 1;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int i = 0; i < w; ++i) {
            x = x * 1664525u + 1013904223u;
            const int n = int(x >> 28) - 8;
            const QRgb c = line[i];
            line[i] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n, 255));
        }
    }
    return img;
}

QStringList makePhotos(const QString& dir, int count, int w, int h)
{
    QDir().mkpath(dir);
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString file =
            QStringLiteral("%1/photo-%2.jpg").arg(dir).arg(i, 3, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(file))
            photoLike(w, h, quint32(i + 1)).save(file, "JPEG", 92);
        files.append(file);
    }
    return files;
}

bool writeFiles(const QStringList& files, const QString& out, QString& error)
{
    QList<Image> images;
    for (const QString& f : files)
        images.append(Image::fromFile(f));
    const QFileInfo info(out);
    QFile::remove(out);
    const auto written = HistoryStore::writeInto(info.absolutePath(), info.completeBaseName(),
                                                 info.suffix(), PdfWriter::writer(images));
    error = written.error;
    return written.ok();
}

void BM_JpegPhotosToPdf(benchmark::State& state)
{
    const int count = int(state.range(0));
    const QStringList files =
        makePhotos(QDir::tempPath() + "/quire-bench-photos/4000x3000", count, 4000, 3000);
    const QString out = QDir::tempPath() + "/quire-bench-out.pdf";
    QString error;
    for (auto _ : state)
        if (!writeFiles(files, out, error))
            state.SkipWithError(error.toUtf8().constData());
    state.counters["pdf_MB"] = double(QFileInfo(out).size()) / 1e6;
    state.counters["peak_RSS_MB"] = bench::peakRssMB();
    state.counters["photos_per_s"] =
        benchmark::Counter(double(count), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_JpegPhotosToPdf)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // Qt's image plugins
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == "photos") {
        makePhotos(args[2], args[3].toInt(), args[4].toInt(), args[5].toInt());
        return 0;
    }
    if (args.size() >= 3 && args[1] == "pdf") {
        QString error;
        if (!writeFiles(args.mid(3), args[2], error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
