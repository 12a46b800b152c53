// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// "Save a copy…" of a PDF's page images into a folder, against plain file copies (what cp does)
// of the same files, one page and 1,158 pages, the two taking turns.
#include "BenchSupport.h"
#include "image/Image.h"
#include "ui/ShareFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {
// Page images as PDF to Images writes them: 1,158 PNGs of a text page at 144 dpi.
const QStringList& pages()
{
    static QTemporaryDir dir;
    static QStringList paths;
    if (paths.isEmpty()) {
        QImage page(1190, 1684, QImage::Format_RGB32);
        page.fill(Qt::white);
        for (int y = 100; y < 1600; y += 40)
            for (int x = 100; x < 1090; x += 7)
                page.setPixel(x, y + (x % 11), qRgb(20, 20, 20));
        page.save(dir.filePath(QStringLiteral("page.png")));
        const QString first = dir.filePath(QStringLiteral("page.png"));
        for (int i = 1; i <= 1158; ++i) {
            const QString path = dir.filePath(QStringLiteral("%1.png").arg(1700000000 + i));
            QFile::copy(first, path);
            paths << path;
        }
    }
    return paths;
}

void BM_SaveCopies(benchmark::State& state)
{
    const QStringList files = pages().mid(0, state.range(0));
    QList<ShareItem> items;
    for (const QString& path : files)
        items << ShareItem::fromImage(Image::fromFile(path));
    for (auto _ : state) {
        const QTemporaryDir out;
        for (const ShareItem& item : items) {
            QString error;
            benchmark::DoNotOptimize(
                ShareFiles::write(item, out.path(), ShareFiles::suggestedName(item), error));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_PlainCopies(benchmark::State& state)
{
    const QStringList files = pages().mid(0, state.range(0));
    for (auto _ : state) {
        const QTemporaryDir out;
        for (const QString& path : files)
            QFile::copy(path, out.filePath(QFileInfo(path).fileName()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
} // namespace

BENCHMARK(BM_SaveCopies)->Arg(1)->Arg(1158)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainCopies)->Arg(1)->Arg(1158)->Unit(benchmark::kMillisecond)->UseRealTime();
