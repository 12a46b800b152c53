// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The photo library and picker at scale: listing 5,000 photos, the first screenful of
// thumbnails, and Done over 100 twelve-megapixel photos (peak memory).
#include "BenchSupport.h"
#include "image/Thumbnails.h"
#include "picker/SelectImageScreen.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "support/PhotoFixtures.h"
#include "support/TestPlatform.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {
QByteArray encode(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    image.save(&buf, "JPEG", quality);
    return bytes;
}

// A 12-megapixel picture with sensor-like noise, so that its JPEG is camera-sized (a few MB).
QImage noisyTwelveMegapixels()
{
    QImage img = photofixtures::picture(4000, 3000);
    bench::addSensorNoise(img, 7);
    return img;
}

// 5,000 camera-like photos (1024 × 768) in nested folders, each with its own capture time.
QString library()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        const QColor tints[] = {QColor(230, 120, 40), QColor(40, 150, 90), QColor(60, 90, 200),
                                QColor(180, 60, 160)};
        QByteArray base[4];
        for (int t = 0; t < 4; ++t)
            base[t] = encode(photofixtures::picture(1024, 768, tints[t]), 80);
        for (int i = 0; i < 5000; ++i) {
            const QString folder = dir.path() + QStringLiteral("/%1").arg(i / 500);
            QDir().mkpath(folder);
            QFile f(folder + QStringLiteral("/IMG_%1.jpg").arg(i));
            f.open(QIODevice::WriteOnly);
            f.write(photofixtures::withExif(base[i % 4],
                                            QDateTime::fromSecsSinceEpoch(1600000000 + i * 97)));
        }
        made = true;
    }
    return dir.path();
}
} // namespace

static void BM_Done100TwelveMegapixelPhotos(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString first = dir.path() + QStringLiteral("/photo0.jpg");
    photofixtures::writePhoto(first, noisyTwelveMegapixels(), QDateTime::currentDateTime(), 1, 90);
    for (int i = 1; i < 100; ++i) // the same 12-megapixel photo under a hundred names
        ::link(QFile::encodeName(first).constData(),
               QFile::encodeName(dir.path() + QStringLiteral("/photo%1.jpg").arg(i)).constData());
    for (auto _ : state) {
        TestPlatform p;
        FolderPhotoLibrary photos(dir.path(), p.queues);
        p.services.photos = &photos;
        p.navigator->registerScreen(QStringLiteral("ImageToPDFScreen"),
                                    [](Services& s) { return new Screen(s); });
        auto* screen = new SelectImageScreen(p.services);
        screen->setSelectedJob(SelectedJob::ImageToPDF);
        p.navigator->setRoot(screen);
        p.drain();
        for (int i = 0; i < 100; ++i)
            screen->didSelectItem(i);
        screen->btnDone();
        p.drain();
        if (screen->arrOfSelectedImages().size() != 100)
            state.SkipWithError("not every photo was loaded");
        // Nothing is decoded yet; the PDF writer or compressor decodes one at a time.
        benchmark::DoNotOptimize(screen->arrOfSelectedImages().first().pixelSize());
    }
    state.counters["peak_rss_MB"] = bench::peakRssMB();
    state.counters["photo_MB"] = double(QFileInfo(first).size()) / (1024 * 1024);
}
BENCHMARK(BM_Done100TwelveMegapixelPhotos)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_ListLibrary5000(benchmark::State& state)
{
    const QString root = library();
    TestPlatform p;
    FolderPhotoLibrary photos(root, p.queues);
    size_t count = 0;
    for (auto _ : state)
        count = photos.fetchAssets().size();
    state.counters["photos"] = double(count);
}
BENCHMARK(BM_ListLibrary5000)->Unit(benchmark::kMillisecond);

// From opening the picker to the first two columns × four rows of 300-point thumbnails.
static void BM_FirstScreenfulOfThumbnails(benchmark::State& state)
{
    const QString root = library();
    TestPlatform p;
    FolderPhotoLibrary photos(root, p.queues);
    for (auto _ : state) {
        Thumbnails::clearCache();
        const auto assets = photos.fetchAssets();
        for (int i = 0; i < 8; ++i)
            benchmark::DoNotOptimize(Thumbnails::image(assets[size_t(i)].path, QSize(300, 300)));
    }
}
BENCHMARK(BM_FirstScreenfulOfThumbnails)->Unit(benchmark::kMillisecond);

static void BM_ThumbnailFrom12Megapixels(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/big.jpg");
    photofixtures::writePhoto(path, photofixtures::picture(4000, 3000), {}, 6);
    for (auto _ : state) {
        Thumbnails::clearCache();
        benchmark::DoNotOptimize(Thumbnails::image(path, QSize(300, 300)));
    }
}
BENCHMARK(BM_ThumbnailFrom12Megapixels)->Unit(benchmark::kMillisecond);
