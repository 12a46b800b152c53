// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/JobControl.h"
#include "pdfworker/PageDrawing.h"
#include "pdfworker/PageFarm.h"
#include "pdfworker/PdfWorkerPool.h"
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"
#include "viewer/PdfPages.h"

#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

namespace {
// Draws through pool from another thread, as the viewers' image loader does.
QImage drawElsewhere(PdfWorkerPool& pool, const QString& path, int page, QSize size)
{
    return QtConcurrent::run([&] { return pool.draw(path, page, size); }).result();
}

// Page index of pdf drawn at 1 pixel per point by helpers started with fault switched on, as a
// PNG or as grey samples.
PageFarm::Page drawWith(const QString& pdf, int index, const QByteArray& fault,
                        const QByteArray& password = {}, bool grey = false)
{
    const fixtures::ScopedEnv switched("QUIRE_PDF_WORKER_FAULT", fault);
    JobControl job;
    PageFarm farm(pdf, job, password);
    QString error;
    EXPECT_GT(farm.open(error), index) << error.toStdString();
    PageFarm::Page out;
    const auto done = [&](PageFarm::Page page) { out = std::move(page); };
    if (grey)
        farm.drawGrey({index}, 1.0, done);
    else
        farm.draw({index}, 1.0, done);
    return out;
}

// The mean difference of a channel between two pages drawn by different libraries, seen from afar
// as their text's glyphs differ in detail.
double meanDifference(const QImage& first, const QImage& second)
{
    const QSize far = first.size() / 8;
    QImage a = first.scaled(far, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage b = second.scaled(far, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    a.convertTo(QImage::Format_RGB888);
    b.convertTo(QImage::Format_RGB888);
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 3; ++x)
            sum += std::abs(int(a.constScanLine(y)[x]) - int(b.constScanLine(y)[x]));
    return double(sum) / (double(a.width()) * a.height() * 3);
}
} // namespace

TEST(PdfWorkers, ViewersGetPagesAndSizesFromTheHelpersAndAHangingPageCostsOnlyItself)
{
    QTemporaryDir dir;
    const QString pdf = dir.path() + "/three.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 3));

    PdfPages pages;
    pages.setSource(QUrl::fromLocalFile(pdf));
    EXPECT_EQ(pages.status(), PdfPages::Loading);
    ASSERT_TRUE(fixtures::waitFor([&] { return pages.status() != PdfPages::Loading; }));
    EXPECT_EQ(pages.status(), PdfPages::Ready);
    EXPECT_EQ(pages.pageCount(), 3);
    EXPECT_EQ(pages.pagePointSize(1), QSizeF(612, 792));
    EXPECT_EQ(pages.maxPageWidth(), 612);

    const fixtures::ScopedEnv fault("QUIRE_PDF_WORKER_FAULT", "hang:2,fail:3,fail:poppler-3");
    const fixtures::ScopedEnv limit("QUIRE_PAGE_TIMEOUT", "5");
    PdfWorkerPool pool; // its helpers start now, with the fault switched on
    const QImage first = drawElsewhere(pool, pdf, 0, QSize(306, 1000));
    ASSERT_EQ(first.size(), QSize(306, 396)) << "fitted, in proportion";
    EXPECT_EQ(first.pixelColor(5, 5), QColor(Qt::red));
    const QImage hung = drawElsewhere(pool, pdf, 1, QSize(306, 396));
    EXPECT_EQ(hung.size(), QSize(306, 396)) << "drawn with Poppler by another helper";
    EXPECT_EQ(hung.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_TRUE(drawElsewhere(pool, pdf, 2, QSize(306, 396)).isNull()) << "neither library drew it";
    EXPECT_EQ(drawElsewhere(pool, pdf, 0, QSize(306, 396)).size(), QSize(306, 396));
    EXPECT_TRUE(drawElsewhere(pool, dir.path() + "/missing.pdf", 0, QSize(10, 10)).isNull());

    PdfPages broken;
    broken.setSource(QUrl::fromLocalFile(dir.path() + "/missing.pdf"));
    ASSERT_TRUE(fixtures::waitFor([&] { return broken.status() != PdfPages::Loading; }));
    EXPECT_EQ(broken.status(), PdfPages::Error);
}

TEST(PdfWorkers, APagePdfiumFailsOrHangsOnIsDrawnByPopplerOrFailsWithBothReasons)
{
    QTemporaryDir dir;
    const QString plain = dir.path() + "/plain.pdf";
    const QString pdf = dir.path() + "/turned.pdf";
    ASSERT_TRUE(samplepdfs::write(plain, 2));
    ASSERT_TRUE(samplepdfs::qpdf(plain, pdf, {"--rotate=+90:2"})); // Poppler must turn it too
    const fixtures::ScopedEnv limit("QUIRE_PAGE_TIMEOUT", "5");

    const PageFarm::Page normal = drawWith(pdf, 1, {});
    const QImage expected = QImage::fromData(normal.png);
    ASSERT_EQ(expected.size(), QSize(792, 612)) << normal.error.toStdString();
    for (const char* fault : {"fail:2", "hang:2", "crash:2"}) {
        const PageFarm::Page page = drawWith(pdf, 1, fault);
        EXPECT_TRUE(page.error.isEmpty()) << fault << ": " << page.error.toStdString();
        EXPECT_EQ(page.scale, 1.0);
        const QImage poppler = QImage::fromData(page.png);
        ASSERT_EQ(poppler.size(), expected.size()) << fault;
        EXPECT_LT(meanDifference(poppler, expected), 3.0)
            << fault << ": 21 for the page upside down";
    }
    // Grey samples, for a reader in this process, come the same way from either library.
    for (const char* fault : {"", "fail:2"}) {
        const PageFarm::Page page = drawWith(pdf, 1, fault, {}, true);
        ASSERT_EQ(page.grey.size(), expected.size()) << fault << page.error.toStdString();
        EXPECT_LT(meanDifference(page.grey, expected.convertToFormat(QImage::Format_Grayscale8)),
                  3.0)
            << fault;
    }

    const QString locked = dir.path() + "/locked.pdf";
    ASSERT_TRUE(samplepdfs::qpdf(pdf, locked, {"--encrypt", "pw", "pw", "256", "--"}));
    const PageFarm::Page unlocked = drawWith(locked, 1, "fail:2", "pw");
    EXPECT_EQ(QImage::fromData(unlocked.png).size(), expected.size()) << "Poppler has the password";

    EXPECT_EQ(drawWith(pdf, 1, "fail:2,fail:poppler-2").error, "could not be drawn");
    const PageFarm::Page lost = drawWith(pdf, 1, "hang:2,fail:poppler-2");
    EXPECT_TRUE(lost.png.isEmpty());
    EXPECT_EQ(lost.error, "took too long to draw, and with Poppler could not be drawn");
    EXPECT_EQ(drawWith(pdf, 1, "crash:2,crash:poppler-2").error,
              "the PDF library stopped, and with Poppler the PDF library stopped");
}

TEST(PdfWorkers, PagesOfEitherAlphaAreLaidOnWhiteAndGreyPagesKeepOneChannel)
{
    // PDFium draws straight alpha, Poppler premultiplied: the same page comes out the same.
    QImage straight(4, 2, QImage::Format_ARGB32);
    straight.fill(Qt::transparent);
    straight.setPixel(1, 0, qRgba(0, 0, 0, 255));
    straight.setPixel(2, 0, qRgba(40, 40, 40, 128));
    straight.setPixel(3, 1, qRgba(200, 0, 100, 64));
    const QImage premultiplied = straight.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (const QImage& page : {straight, premultiplied}) {
        const QImage flat = pagedrawing::flattenOnWhite(page);
        EXPECT_EQ(flat.format(), QImage::Format_RGB32);
        EXPECT_EQ(flat.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(flat.pixel(1, 0), qRgb(0, 0, 0));
        EXPECT_NEAR(qRed(flat.pixel(2, 0)), 40 * 128 / 255 + 127, 1);
        EXPECT_NEAR(qGreen(flat.pixel(3, 1)), 191, 1);
        EXPECT_NEAR(qBlue(flat.pixel(3, 1)), 100 * 64 / 255 + 191, 1);
    }
    straight.setPixel(3, 1, qRgba(90, 90, 90, 64));
    const QImage grey = pagedrawing::flattenOnWhite(straight);
    ASSERT_EQ(grey.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(grey.pixelColor(1, 0), QColor(0, 0, 0));
    EXPECT_NEAR(qGray(grey.pixel(3, 1)), 90 * 64 / 255 + 191, 1);
}

TEST(PdfWorkers, AScannedPageIsReadFromItsPictureWhereDrawingWouldOnlyResampleIt)
{
    QImage scan(600, 780, QImage::Format_Grayscale8);
    for (int y = 0; y < scan.height(); ++y)
        for (int x = 0; x < scan.width(); ++x)
            scan.scanLine(y)[x] = uchar((x * 7 + y * 3) % 256); // any resampling would show
    QImage colour = scan.convertToFormat(QImage::Format_RGB32);
    colour.setPixel(10, 10, qRgb(200, 30, 60));
    QTemporaryDir dir;
    const QString pdf = dir.path() + "/scans.pdf";
    // As some scanning programs write it: clipped to the page.
    const QString clipped = "q 0 0 612 792 re W n 612 0 0 792 0 0 cm /Scan Do Q";
    ASSERT_TRUE(
        samplepdfs::writePictures(pdf, {scan, colour, scan, scan.scaled(300, 390), scan},
                                  {clipped, {}, "q 612 0 0 792 0 0 cm /Scan Do Q 0 0 m 9 9 l S"}));
    const QString turned = dir.path() + "/turned.pdf";
    ASSERT_TRUE(samplepdfs::qpdf(pdf, turned, {"--rotate=+90:5"}));

    const PageFarm::Page grey = drawWith(turned, 0, {}, {}, true);
    ASSERT_EQ(grey.grey.size(), scan.size()) << grey.error.toStdString();
    EXPECT_EQ(grey.grey, scan) << "the scan's own samples";
    EXPECT_DOUBLE_EQ(grey.scale, 600.0 / 612);
    const PageFarm::Page coloured = drawWith(turned, 1, {}, {}, true);
    EXPECT_EQ(coloured.grey, colour.convertToFormat(QImage::Format_Grayscale8));
    // Anything else on the page, a picture far from the size asked for, or a turned page: drawn.
    for (const int index : {2, 3, 4}) {
        const PageFarm::Page drawn = drawWith(turned, index, {}, {}, true);
        EXPECT_EQ(drawn.grey.size(), index == 4 ? QSize(792, 612) : QSize(612, 792)) << index;
        EXPECT_EQ(drawn.scale, 1.0);
    }
}
