// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text recognition per page against the tesseract command line on the same rendered pages:
// seconds per page and character accuracy against the PDF's own text.
#include "ocr/TextExtraction.h"
#include "platform/qt/TesseractRecognizer.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <vector>

namespace {
struct Page
{
    QString png;
    QString truth;
};

QString pdfPath()
{
    const QString env = qEnvironmentVariable("QUIRE_BENCH_PDF");
    // The sample beside this file (the build passes absolute source paths).
    return env.isEmpty() ? QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/data/text.pdf"
                         : env;
}

// Every page of the PDF rendered on white at dpi, saved as PNG, with the page's own text.
const std::vector<Page>& pages(int dpi)
{
    static QTemporaryDir dir;
    static std::map<int, std::vector<Page>> cache;
    auto& out = cache[dpi];
    if (!out.empty())
        return out;
    QPdfDocument doc;
    doc.load(pdfPath());
    for (int i = 0; i < doc.pageCount(); ++i) {
        const QSize size = (doc.pagePointSize(i) * dpi / 72.0).toSize();
        QImage page(size, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.drawImage(0, 0, doc.render(i, size));
        painter.end();
        page.setDotsPerMeterX(qRound(dpi / 0.0254));
        page.setDotsPerMeterY(qRound(dpi / 0.0254));
        const QString png = dir.path() + QStringLiteral("/p%1-%2.png").arg(dpi).arg(i);
        page.save(png);
        out.push_back({png, doc.getAllText(i).text()});
    }
    return out;
}

QString normalised(const QString& text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.normalized(QString::NormalizationForm_KC)
        .replace(space, QStringLiteral(" "))
        .trimmed();
}

// 1 - edit distance / length of the truth, on text with whitespace runs made single spaces.
double accuracy(const QString& read, const QString& truth)
{
    const QString a = normalised(read);
    const QString b = normalised(truth);
    if (b.isEmpty())
        return a.isEmpty() ? 1.0 : 0.0;
    std::vector<int> row(size_t(b.size()) + 1), next(row.size());
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        next[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j)
            next[size_t(j)] = std::min({row[size_t(j)] + 1, next[size_t(j) - 1] + 1,
                                        row[size_t(j) - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        std::swap(row, next);
    }
    return std::max(0.0, 1.0 - double(row.back()) / double(b.size()));
}

void report(benchmark::State& state, double accuracySum, int read)
{
    const auto perPage =
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert;
    state.counters["s_per_page"] = benchmark::Counter(double(pages(int(state.range(0))).size()),
                                                      benchmark::Counter::Flags(perPage));
    state.counters["accuracy_pct"] = read ? 100.0 * accuracySum / read : 0.0;
}

void BM_Quire(benchmark::State& state)
{
    static TesseractRecognizer recognizer;
    if (const QString error = recognizer.load(); !error.isEmpty()) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    const auto& set = pages(int(state.range(0)));
    double sum = 0;
    int read = 0;
    for (auto _ : state) {
        for (const Page& page : set) {
            const TextExtraction r = TextExtraction::run(recognizer, Image::fromFile(page.png));
            sum += accuracy(r.text, page.truth);
            ++read;
        }
    }
    report(state, sum, read);
}

// The command line, loading its model for every page as it must; threads: OpenMP's default
// unless limit is given.
void runCli(benchmark::State& state, const QString& threadLimit)
{
    if (QStandardPaths::findExecutable(QStringLiteral("tesseract")).isEmpty()) {
        state.SkipWithError("tesseract command line not installed (Debian package tesseract-ocr)");
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("OMP_THREAD_LIMIT"));
    if (!threadLimit.isEmpty())
        env.insert(QStringLiteral("OMP_THREAD_LIMIT"), threadLimit);
    const auto& set = pages(int(state.range(0)));
    double sum = 0;
    int read = 0;
    for (auto _ : state) {
        for (const Page& page : set) {
            QProcess cli;
            cli.setProcessEnvironment(env);
            cli.start(QStringLiteral("tesseract"), {page.png, QStringLiteral("stdout")});
            cli.waitForFinished(-1);
            sum += accuracy(QString::fromUtf8(cli.readAllStandardOutput()), page.truth);
            ++read;
        }
    }
    report(state, sum, read);
}

void BM_TesseractCli(benchmark::State& state)
{
    runCli(state, {});
}
void BM_TesseractCliOneThread(benchmark::State& state)
{
    runCli(state, QStringLiteral("1"));
}
} // namespace

BENCHMARK(BM_Quire)->Arg(144)->Arg(300)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_TesseractCli)
    ->Arg(144)
    ->Arg(300)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_TesseractCliOneThread)
    ->Arg(144)
    ->Arg(300)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);
