// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-document PDF-to-PNG conversion at 144 dpi (scale 2): pages per second, bytes written and
// peak memory. QUIRE_BENCH_PDF names the document (else a generated 120-page text document);
// QUIRE_BENCH_OUT keeps the pages in that folder for inspection.
#include "BenchSupport.h"
#include "common/JobControl.h"
#include "history/HistoryStore.h"
#include "toimages/PageRenderer.h"

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {
// A text-heavy document: numbered lines of prose on every US-letter page.
QString generatedDocument(const QString& folder, int pages)
{
    const QString path = folder + QStringLiteral("/generated.pdf");
    QPdfWriter pdf(path);
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QPageSize::Letter));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&pdf);
    painter.setFont(QFont(QStringLiteral("DejaVu Serif"), 10));
    const QString prose = QStringLiteral(
        "The quick brown fox jumps over the lazy dog while the committee reviews its minutes,");
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            pdf.newPage();
        for (int line = 0; line < 56; ++line)
            painter.drawText(QPointF(54, 60 + line * 12.5),
                             QStringLiteral("%1.%2 ").arg(p + 1).arg(line + 1) + prose);
    }
    return path;
}

qint64 folderBytes(const QString& folder)
{
    qint64 total = 0;
    for (QDirIterator it(folder, {QStringLiteral("*.png")}, QDir::Files); it.hasNext();)
        total += QFileInfo(it.next()).size();
    return total;
}

void BM_ConvertDocument(benchmark::State& state)
{
    QTemporaryDir scratch;
    QString pdf = qEnvironmentVariable("QUIRE_BENCH_PDF");
    if (pdf.isEmpty())
        pdf = generatedDocument(scratch.path(), 120);
    QString out = qEnvironmentVariable("QUIRE_BENCH_OUT");
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString folder = !out.isEmpty() ? out : scratch.path() + QStringLiteral("/out");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        HistoryStore store(scratch.path());
        PageRenderer renderer(store, 2.0, folder);
        state.ResumeTiming();
        JobControl job;
        const PageRenderer::Result r = renderer.render(pdf, 1700000000, job);
        pages = int(r.images.size());
        state.PauseTiming();
        bytes = folderBytes(folder);
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["pages_per_s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["output_MB"] = double(bytes) / 1e6;
    state.counters["peak_RSS_MB"] = bench::peakRssMB();
}
BENCHMARK(BM_ConvertDocument)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
} // namespace
