// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Photos of documents made up from real PDF pages, and how well the scanner takes them apart:
// the page outline against the true one (IoU), OCR word accuracy with and without the scan
// step, and CPU time per photo on one core.
//
//   scan_photos [--count N] [--ocr M] [--pdf FILE] [--keep DIR]
//
// The "photographs" under the pages are made here (wood, cloth, stone, desk paint): there are
// no real ones on the build machine.
#include "image/Image.h"
#include "ocr/TextExtraction.h"
#include "platform/qt/TesseractRecognizer.h"
#include "scan/PageDetector.h"
#include "scan/PageScanner.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QPdfDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <opencv2/core/utility.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>

namespace {
constexpr QSize kFrame(4000, 3000); // 12 MP

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// A surface to lay paper on, made from noise: grain, weave, speckle or flat paint, in a random
// colour from dark wood to a light table.
QImage surface(QRandomGenerator& rng)
{
    const int kind = int(rng.bounded(4));
    const int base = 40 + int(rng.bounded(190));
    const QColor tint = QColor::fromHsv(int(rng.bounded(60)), int(rng.bounded(120)), base);
    cv::Mat noise(kFrame.height() / 8, kFrame.width() / 8, CV_32F);
    cv::randn(noise, 0, 1);
    if (kind == 0) // wood: noise stretched along one direction
        cv::GaussianBlur(noise, noise, {0, 0}, 12, 0.8);
    else if (kind == 1) // cloth: fine weave
        cv::GaussianBlur(noise, noise, {0, 0}, 0.8);
    else if (kind == 2) // stone: blotches
        cv::GaussianBlur(noise, noise, {0, 0}, 5);
    cv::normalize(noise, noise, -1, 1, cv::NORM_MINMAX);
    cv::resize(noise, noise, {kFrame.width(), kFrame.height()}, 0, 0, cv::INTER_CUBIC);
    const double depth = kind == 3 ? 4 : 10 + rng.bounded(25);
    QImage out(kFrame, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        const float* n = noise.ptr<float>(y);
        for (int x = 0; x < out.width(); ++x) {
            const int d = int(n[x] * depth);
            line[x] = qRgb(std::clamp(tint.red() + d, 0, 255), std::clamp(tint.green() + d, 0, 255),
                           std::clamp(tint.blue() + d, 0, 255));
        }
    }
    return out;
}

struct Shot
{
    QString path;
    PageQuad truth;
    QString text;
};

// The page seen by a pinhole camera tilted up to 30 degrees, turned any way up, lit unevenly,
// with a shadow's edge, a little blur and sensor noise, stored as JPEG at quality 85.
Shot photograph(const QImage& page, const QString& text, QRandomGenerator& rng, const QString& path)
{
    const double f = 3200; // a phone's main camera, in pixels of a 12 MP photo
    QTransform camera;
    PageQuad truth;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const double tilt = rng.bounded(30.0) * M_PI / 180;
        const double towards = rng.bounded(2 * M_PI);
        const double turn = (90 * int(rng.bounded(4)) + rng.bounded(16.0) - 8) * M_PI / 180;
        const double fill = 0.45 + rng.bounded(0.4); // of the frame's height
        // Rotation: turn about the view axis, then tilt about an axis in the page.
        const cv::Matx33d about = cv::Matx33d(std::cos(turn), -std::sin(turn), 0, std::sin(turn),
                                              std::cos(turn), 0, 0, 0, 1);
        // Tilt about the axis (ax, ay, 0) in the page (Rodrigues' formula).
        const double ax = std::cos(towards);
        const double ay = std::sin(towards);
        const double c = std::cos(tilt);
        const double s = std::sin(tilt);
        const cv::Matx33d tiltR(c + ax * ax * (1 - c), ax * ay * (1 - c), ay * s, ax * ay * (1 - c),
                                c + ay * ay * (1 - c), -ax * s, -ay * s, ax * s, c);
        const cv::Matx33d r = tiltR * about;
        const double scale = fill * kFrame.height() / std::max(page.width(), page.height());
        const double z = f / scale;
        const cv::Vec3d centre(rng.bounded(0.3) - 0.15, rng.bounded(0.3) - 0.15, 0);
        const cv::Vec3d t = r * cv::Vec3d(-page.width() / 2.0, -page.height() / 2.0, 0) +
                            cv::Vec3d(centre[0] * z, centre[1] * z, z);
        const cv::Matx33d k(f, 0, kFrame.width() / 2.0, 0, f, kFrame.height() / 2.0, 0, 0, 1);
        const cv::Matx33d m(r(0, 0), r(0, 1), t[0], r(1, 0), r(1, 1), t[1], r(2, 0), r(2, 1), t[2]);
        const cv::Matx33d h = k * m;
        camera = QTransform(h(0, 0), h(1, 0), h(2, 0), h(0, 1), h(1, 1), h(2, 1), h(0, 2), h(1, 2),
                            h(2, 2));
        const QPointF corners[4] = {{0, 0},
                                    {double(page.width()), 0},
                                    {double(page.width()), double(page.height())},
                                    {0, double(page.height())}};
        bool inside = true;
        for (int i = 0; i < 4; ++i) {
            truth.corners[i] = camera.map(corners[i]);
            inside = inside && QRectF(20, 20, kFrame.width() - 40, kFrame.height() - 40)
                                   .contains(truth.corners[i]);
        }
        if (inside)
            break;
    }
    QImage photo = surface(rng);
    {
        QPainter p(&photo);
        p.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
        p.setTransform(camera);
        p.drawImage(0, 0, page);
    }
    cv::Mat pixels(photo.height(), photo.width(), CV_8UC4, photo.bits(), photo.bytesPerLine());
    // Light falling off across the photo, and a shadow's soft edge over part of it.
    const double angle = rng.bounded(2 * M_PI);
    const double low = 0.55 + rng.bounded(0.3);
    const double sx = std::cos(rng.bounded(2 * M_PI));
    const double sy = std::sqrt(1 - sx * sx);
    const double shadowAt = rng.bounded(1.0) * kFrame.width();
    const double shade = 0.6 + rng.bounded(0.25);
    cv::Mat light(pixels.size(), CV_32F);
    for (int y = 0; y < light.rows; ++y) {
        auto* l = light.ptr<float>(y);
        for (int x = 0; x < light.cols; ++x) {
            const double g = 0.5 + 0.5 *
                                       ((x - kFrame.width() / 2.0) * std::cos(angle) +
                                        (y - kFrame.height() / 2.0) * std::sin(angle)) /
                                       (kFrame.width() / 2.0);
            const double s = 1 / (1 + std::exp(-(x * sx + y * sy - shadowAt) / 25));
            l[x] = float((low + (1 - low) * std::clamp(g, 0.0, 1.0)) * (shade + (1 - shade) * s));
        }
    }
    std::vector<cv::Mat> channels;
    cv::split(pixels, channels);
    for (int c = 0; c < 3; ++c)
        cv::multiply(channels[c], light, channels[c], 1, CV_8U);
    cv::merge(channels, pixels);
    cv::GaussianBlur(pixels, pixels, {0, 0}, 0.7 + rng.bounded(0.8));
    cv::Mat noise(pixels.size(), CV_8SC4);
    cv::randn(noise, 0, 4);
    cv::add(pixels, noise, pixels, cv::noArray(), CV_8U);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(85);
    writer.write(photo);
    return {path, truth, text};
}

double iou(const PageQuad& a, const PageQuad& b)
{
    std::vector<cv::Point2f> pa;
    std::vector<cv::Point2f> pb;
    for (int i = 0; i < 4; ++i) {
        pa.emplace_back(float(a.corners[i].x()), float(a.corners[i].y()));
        pb.emplace_back(float(b.corners[i].x()), float(b.corners[i].y()));
    }
    std::vector<cv::Point2f> common;
    const double both = cv::intersectConvexConvex(pa, pb, common);
    return both / (cv::contourArea(pa) + cv::contourArea(pb) - both);
}

QStringList words(const QString& text)
{
    static const QRegularExpression cut(QStringLiteral("[^\\w]+"));
    return text.toLower().split(cut, Qt::SkipEmptyParts);
}

// The share of the true words read (each counted as often as it occurs in both).
double wordAccuracy(const QString& truth, const QString& read)
{
    std::map<QString, int> left;
    for (const QString& w : words(read))
        ++left[w];
    const QStringList expected = words(truth);
    int hits = 0;
    for (const QString& w : expected)
        if (left[w]-- > 0)
            ++hits;
    return expected.isEmpty() ? 1 : double(hits) / double(expected.size());
}
} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption count(QStringLiteral("count"), QStringLiteral("Photos."),
                                   QStringLiteral("N"), QStringLiteral("40"));
    const QCommandLineOption ocr(QStringLiteral("ocr"), QStringLiteral("Photos also read."),
                                 QStringLiteral("M"), QStringLiteral("8"));
    const QCommandLineOption pdf(
        QStringLiteral("pdf"), QStringLiteral("Pages from."), QStringLiteral("FILE"),
        QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/data/text.pdf"));
    const QCommandLineOption keep(QStringLiteral("keep"), QStringLiteral("Keep photos in."),
                                  QStringLiteral("DIR"));
    parser.addOptions({count, ocr, pdf, keep});
    parser.process(app);
    cv::setNumThreads(0); // one core, as the target is stated
    QTemporaryDir temp;
    const QString dir = parser.isSet(keep) ? parser.value(keep) : temp.path();
    QPdfDocument doc;
    doc.load(parser.value(pdf));
    if (doc.pageCount() == 0) {
        std::fprintf(stderr, "no pages in %s\n", qPrintable(parser.value(pdf)));
        return 1;
    }
    QRandomGenerator rng(2026);
    const int n = parser.value(count).toInt();
    const int reads = parser.value(ocr).toInt();
    TesseractRecognizer recognizer(QStringLiteral("eng"));
    int good = 0;
    double iouSum = 0;
    double seconds = 0;
    double worst = 0;
    double plainWords = 0;
    double scanWords = 0;
    for (int i = 0; i < n; ++i) {
        const int pageNo = int(rng.bounded(doc.pageCount()));
        // 200 dpi: the page's detail as a 12 MP photo of it shows.
        const QSize size = (doc.pagePointSize(pageNo) * 200 / 72.0).toSize();
        QImage page(size, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter(&page).drawImage(0, 0, doc.render(pageNo, size));
        const Shot shot = photograph(page, doc.getAllText(pageNo).text(), rng,
                                     dir + QStringLiteral("/photo%1.jpg").arg(i));
        const QImage photo = Image::fromFile(shot.path).toQImage();
        const double start = cpuSeconds();
        PageScanner::Options options;
        options.straighten = false;
        options.turnUpright = false;
        const PageScanner::Result r = PageScanner::scan(photo, options);
        const double took = cpuSeconds() - start;
        seconds += took;
        worst = std::max(worst, took);
        const double overlap = iou(r.quad, shot.truth);
        iouSum += overlap;
        good += overlap >= 0.95;
        std::printf("photo %2d page %3d  IoU %.3f  confidence %.2f  %.3f s", i, pageNo + 1, overlap,
                    r.confidence, took);
        if (i < reads) {
            const PageScanner::Result full = PageScanner::scan(photo, {});
            const auto plain = TextExtraction::run(recognizer, Image::fromQImage(photo));
            const auto scanned = TextExtraction::run(recognizer, Image::fromQImage(full.page));
            const double a = wordAccuracy(shot.text, plain.text);
            const double b = wordAccuracy(shot.text, scanned.text);
            plainWords += a;
            scanWords += b;
            std::printf("  words: plain %.3f  scanned %.3f", a, b);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    std::printf("\n%d photos of 4000 x 3000: IoU >= 0.95 on %.1f %%, mean IoU %.3f\n", n,
                100.0 * good / n, iouSum / n);
    std::printf("detection + correction + Document: mean %.3f s, worst %.3f s CPU, one thread\n",
                seconds / n, worst);
    if (reads > 0)
        std::printf("OCR word accuracy on %d photos: plain %.3f, scanned %.3f\n",
                    std::min(n, reads), plainWords / std::min(n, reads),
                    scanWords / std::min(n, reads));
    return 0;
}
