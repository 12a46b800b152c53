// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/PageDetector.h"
#include "scan/PageGeometry.h"
#include "scan/PageScanner.h"
#include "support/CliProcess.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QPainter>
#include <QPdfDocument>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

namespace {
using Corners = std::array<QPointF, 4>;

// A sheet of paper with lines of text, as printed.
QImage sheet(QSize size, bool textToEdges = false)
{
    QImage page(size, QImage::Format_RGB32);
    page.fill(QColor(250, 250, 246));
    QPainter p(&page);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(size.height() / 45);
    p.setFont(font);
    const int margin = textToEdges ? -10 : size.width() / 10;
    for (int y = size.height() / 10; y < size.height() * 9 / 10; y += size.height() / 30)
        p.drawText(margin, y,
                   QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789"
                                  " and on and on"));
    return page;
}

// page drawn on a table through transform, with a little sensor noise.
QImage photograph(QSize frame, QColor table, const QImage& page, const QTransform& transform)
{
    QImage photo(frame, QImage::Format_RGB32);
    photo.fill(table);
    QPainter p(&photo);
    p.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
    p.setTransform(transform);
    p.drawImage(0, 0, page);
    p.end();
    QRandomGenerator noise(7);
    for (int y = 0; y < frame.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            const int n = noise.bounded(13) - 6;
            line[x] = qRgb(qBound(0, qRed(line[x]) + n, 255), qBound(0, qGreen(line[x]) + n, 255),
                           qBound(0, qBlue(line[x]) + n, 255));
        }
    }
    return photo;
}

QImage photograph(QSize frame, QColor table, const QImage& page, const Corners& corners)
{
    const QPolygonF from({QPointF(0, 0), QPointF(page.width(), 0),
                          QPointF(page.width(), page.height()), QPointF(0, page.height())});
    QTransform t;
    QTransform::quadToQuad(from, QPolygonF({corners[0], corners[1], corners[2], corners[3]}), t);
    return photograph(frame, table, page, t);
}

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}
} // namespace

TEST(Scan, FindsThePageOnDarkAndLightTablesCutOffShadedOrFillingTheFrame)
{
    const QSize frame(1600, 1700);
    const Corners tilted{QPointF(300, 200), QPointF(1250, 260), QPointF(1350, 1500),
                         QPointF(220, 1450)};
    const Corners cut{QPointF(-150, 200), QPointF(1250, 160), QPointF(1350, 1500),
                      QPointF(120, 1600)};
    const Corners filling{QPointF(20, 15), QPointF(1580, 25), QPointF(1585, 1690),
                          QPointF(10, 1680)};
    const auto shadow = [](QPainter& p) { p.fillRect(0, 0, 800, 1700, QColor(0, 0, 0, 150)); };
    struct Scene
    {
        const char* name;
        QColor table;
        Corners corners;
        bool textToEdges;
        std::function<void(QPainter&)> over;
        double tolerance;
    };
    for (const Scene& s : {Scene{"dark table", QColor(60, 45, 35), tilted, false, {}, 8},
                           Scene{"light table", QColor(230, 230, 226), tilted, false, {}, 8},
                           Scene{"corner cut off", QColor(90, 70, 50), cut, false, {}, 8},
                           Scene{"shadow across", QColor(120, 100, 80), tilted, false, shadow, 12},
                           Scene{"filling the frame", QColor(50, 50, 50), filling, true, {}, 14}}) {
        SCOPED_TRACE(s.name);
        QImage photo = photograph(frame, s.table, sheet({840, 1188}, s.textToEdges), s.corners);
        if (s.over) {
            QPainter p(&photo);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            s.over(p);
        }
        const PageDetection d = PageDetector::detect(photo);
        EXPECT_TRUE(d.found);
        EXPECT_GE(d.confidence, PageDetector::kMinConfidence);
        // The corner off the photo is the one place it may differ: there it lies on the frame.
        for (int i = s.corners[0].x() < 0 ? 1 : 0; i < 4; ++i)
            EXPECT_LT(distance(d.quad.corners[i], s.corners[i]), s.tolerance) << "corner " << i;
    }

    // Nothing page-like: the whole photo, and no confidence.
    QImage plain(1200, 900, QImage::Format_RGB32);
    plain.fill(QColor(120, 130, 140));
    const PageDetection none = PageDetector::detect(plain);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.quad, PageQuad::whole(plain.size()));
    EXPECT_EQ(none.confidence, 0);
}

TEST(Scan, FlattensAPageSeenThroughACameraToItsRealShape)
{
    // A 600 x 400 chequerboard (50 px squares) photographed by a pinhole camera, tilted 30
    // degrees forwards and 12 sideways, principal point at the photo's centre.
    const int cell = 50;
    QImage board(600, 400, QImage::Format_RGB32);
    board.fill(Qt::white);
    QPainter p(&board);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            if ((x + y) % 2 == 0)
                p.fillRect(x * cell, y * cell, cell, cell, Qt::black);
    p.end();
    const double f = 1400;
    const double a = 30 * M_PI / 180;
    const double b = 12 * M_PI / 180;
    // Rows of R = Ry(b) * Rx(a); only its first two columns matter for a plane.
    const double r[3][2] = {{std::cos(b), std::sin(b) * std::sin(a)},
                            {0, std::cos(a)},
                            {-std::sin(b), std::cos(b) * std::sin(a)}};
    const double t[3] = {-300 * r[0][0] - 200 * r[0][1], -300 * r[1][0] - 200 * r[1][1],
                         1300 - 300 * r[2][0] - 200 * r[2][1]};
    double h[3][3];
    for (int i = 0; i < 3; ++i) {
        const double k = i == 2 ? 1 : f;
        const double c = i == 0 ? 800 : i == 1 ? 600 : 0;
        h[i][0] = k * r[i][0] + c * r[2][0] * (i < 2);
        h[i][1] = k * r[i][1] + c * r[2][1] * (i < 2);
        h[i][2] = k * t[i] + c * t[2] * (i < 2);
    }
    const QTransform camera(h[0][0], h[1][0], h[2][0], h[0][1], h[1][1], h[2][1], h[0][2], h[1][2],
                            h[2][2]);
    const QImage photo = photograph({1600, 1200}, QColor(90, 90, 90), board, camera);
    PageQuad quad;
    const QPointF corners[4] = {{0, 0}, {600, 0}, {600, 400}, {0, 400}};
    for (int i = 0; i < 4; ++i)
        quad.corners[i] = camera.map(corners[i]);

    PageScanner::Options options;
    options.quad = quad;
    options.filter = ScanFilter::Greyscale;
    options.straighten = false;
    options.turnUpright = false;
    const PageScanner::Result flat = PageScanner::scan(photo, options);
    ASSERT_TRUE(flat.ok()) << flat.error.toStdString();
    const QImage& page = flat.page;
    EXPECT_NEAR(double(page.width()) / page.height(), 1.5, 0.01);
    // Every square boundary along the middle of each row where it should be, to 1.5 px.
    const double unit = page.width() / 600.0;
    for (int row = 0; row < 8; ++row) {
        const int y = int((row + 0.5) * cell * unit);
        std::vector<double> edges;
        // Inside the outer squares: the page's own edge is not a boundary between squares.
        const int margin = int(cell * unit / 2);
        for (int x = margin; x < page.width() - margin; ++x) {
            const bool darkBefore = qGray(page.pixel(x - 1, y)) < 128;
            if (darkBefore != (qGray(page.pixel(x, y)) < 128))
                edges.push_back(x);
        }
        ASSERT_EQ(edges.size(), 11U) << "row " << row;
        for (int e = 0; e < 11; ++e)
            EXPECT_NEAR(edges[e], (e + 1) * cell * unit, 1.5) << "row " << row << " edge " << e;
    }

    // An A4 sheet in perspective comes out exactly A4; a near-square stays as it is.
    EXPECT_DOUBLE_EQ(PageGeometry::snapped(0.7), 1 / std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(PageGeometry::snapped(11 / 8.6), 11 / 8.5);
    EXPECT_DOUBLE_EQ(PageGeometry::snapped(0.9), 0.9);
}

TEST(Scan, DocumentFilterWhitensTheLightButKeepsGreyAndColour)
{
    // Paper lit from the right with a yellow cast, black text, a grey box, a thin pencil line
    // and a red stamp.
    QImage page(800, 1000, QImage::Format_RGB32);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const int v = 140 + 100 * x / page.width();
            page.setPixel(x, y, qRgb(v, v, v * 85 / 100));
        }
    QPainter p(&page);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(30);
    p.setFont(font);
    p.drawText(100, 200, QStringLiteral("Black text here"));
    p.fillRect(100, 400, 200, 30, QColor(0, 0, 0, 100));
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.drawLine(100, 500, 700, 500);
    p.setPen(QPen(QColor(200, 30, 30), 10));
    p.drawEllipse(450, 600, 200, 200);
    p.end();

    const QImage doc = ScanFilter::apply(page, ScanFilter::Document);
    for (const QPoint paper : {QPoint(20, 20), QPoint(780, 980), QPoint(400, 300)})
        EXPECT_GE(qGray(doc.pixel(paper)), 245) << paper.x() << "," << paper.y();
    const int box = qGray(doc.pixel(200, 415));
    EXPECT_GT(box, 90);
    EXPECT_LT(box, 215);                        // grey, not black or white
    EXPECT_LT(qGray(doc.pixel(400, 500)), 235); // pencil still shows
    const QRgb stamp = doc.pixel(450, 700);
    EXPECT_GT(qRed(stamp), 150);
    EXPECT_LT(qGreen(stamp), 100);
    EXPECT_LT(qBlue(stamp), 100);

    const QImage bw = ScanFilter::apply(page, ScanFilter::BlackWhite);
    EXPECT_EQ(bw.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(qGray(bw.pixel(400, 500)), 0);   // the thin line kept
    EXPECT_EQ(qGray(bw.pixel(20, 20)), 255);   // the shaded paper white
    EXPECT_EQ(qGray(bw.pixel(780, 300)), 255); // and the lit paper
    for (int y = 0; y < bw.height(); y += 7)
        for (int x = 0; x < bw.width(); x += 7)
            ASSERT_TRUE(qGray(bw.pixel(x, y)) == 0 || qGray(bw.pixel(x, y)) == 255);
}

TEST(Scan, TurnsASidewaysPageUprightAndLeavesABlankOneAlone)
{
    const QImage upright = sheet({840, 1188});
    const QImage sideways = upright.transformed(QTransform().rotate(90));
    PageScanner::Options options;
    options.quad = PageQuad::whole(sideways.size());
    options.filter = ScanFilter::Original;
    const PageScanner::Result r = PageScanner::scan(sideways, options);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.uprightTurns, 3);
    EXPECT_EQ(r.page.size(), upright.size());
    // Upside down, where the detector tells the lines' direction better than their start.
    const QImage upsideDown = upright.transformed(QTransform().rotate(180));
    options.quad = PageQuad::whole(upsideDown.size());
    EXPECT_EQ(PageScanner::scan(upsideDown, options).uprightTurns, 2);

    QImage blank(1188, 840, QImage::Format_RGB32);
    blank.fill(Qt::white);
    options.quad = PageQuad::whole(blank.size());
    EXPECT_EQ(PageScanner::scan(blank, options).uprightTurns, 0);
}

TEST(Scan, RefusesBadQuadsAndWritesNothingForThem)
{
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::white);
    for (const char* bad : {"10,10 390,290 390,10 10,290",  // crossed
                            "10,10 10,290 390,290 390,10",  // anticlockwise
                            "10,10 200,10 390,10 200,11",   // flat
                            "10,10 420,10 390,290 10,290",  // outside
                            "10,10 390,10 100,100 10,290"}) // dented
    {
        PageScanner::Options options;
        options.quad = PageQuad::parse(QString::fromLatin1(bad));
        ASSERT_TRUE(options.quad) << bad;
        const PageScanner::Result r = PageScanner::scan(photo, options);
        EXPECT_FALSE(r.ok()) << bad;
        EXPECT_FALSE(r.error.isEmpty()) << bad;
    }
    EXPECT_FALSE(PageQuad::parse(QStringLiteral("10,10 390,10 390,290")));
    EXPECT_FALSE(PageQuad::parse(QStringLiteral("10,10 390,10 390,290 a,b")));
}

TEST(Scan, CommandLineFindsCornersWritesPagesAndRefusesABadQuad)
{
    CliProcess cli;
    // An A4 sheet lying a little askew, seen from straight above.
    const QImage a4 = sheet({840, 1188});
    const QTransform askew = QTransform().translate(800, 850).rotate(8).translate(-420, -594);
    Corners corners;
    const QPointF sheetCorners[4] = {{0, 0}, {840, 0}, {840, 1188}, {0, 1188}};
    for (int i = 0; i < 4; ++i)
        corners[i] = askew.map(sheetCorners[i]);
    const QString photo = cli.path("receipt.jpg");
    ASSERT_TRUE(
        fixtures::writeJpeg(photograph({1600, 1700}, QColor(60, 45, 35), a4, askew), photo));

    const QStringList line = cli.run({"scan", "--corners", photo});
    EXPECT_EQ(cli.status, 0);
    const QStringList parts = line.value(0).trimmed().split(' ');
    ASSERT_EQ(parts.size(), 5) << cli.out.toStdString();
    const auto found = PageQuad::parse(parts.mid(0, 4).join(' '));
    ASSERT_TRUE(found);
    for (int i = 0; i < 4; ++i)
        EXPECT_LT(distance(found->corners[i], corners[i]), 14);
    EXPECT_GE(parts[4].toDouble(), PageDetector::kMinConfidence);

    const QString out = cli.path("out");
    const QStringList written = cli.run({"scan", photo, "-o", out, "--filter", "bw"});
    EXPECT_EQ(cli.status, 0);
    EXPECT_EQ(written, QStringList{out + "/receipt.png"});
    const QImage page(out + "/receipt.png");
    EXPECT_NEAR(double(page.width()) / page.height(), 1 / std::sqrt(2.0), 0.001);

    EXPECT_TRUE(cli.run({"scan", photo, "-o", cli.path("bad"), "--quad", "0,0 900,900 900,0 0,900"})
                    .isEmpty());
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains("cross")) << cli.err.toStdString();
    EXPECT_TRUE(QDir(cli.path("bad")).isEmpty());

    const QString pdf = cli.path("scanned.pdf");
    cli.run({"pdf", "--scan", photo, "-o", pdf});
    EXPECT_EQ(cli.status, 0);
    QPdfDocument doc;
    doc.load(pdf);
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_NEAR(doc.pagePointSize(0).width(), 595.3, 1); // the A4 the photo shows
}
