// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/ocr/ExtractTextScreen.h"
#include "screens/scan/AdjustScreen.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "support/PhotoFixtures.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

namespace {
// A page whose corners lie at these fractions of an 800 x 600 photo.
const QList<QPointF> kPage = {{0.30, 0.10}, {0.72, 0.14}, {0.70, 0.90}, {0.28, 0.86}};

Image paperPhoto()
{
    QPolygonF page;
    for (const QPointF& p : kPage)
        page << QPointF(p.x() * 800, p.y() * 600);
    return Image::fromQImage(photofixtures::paperOnTable(QSize(800, 600), page));
}

// The Adjust step as the picker leaves it, over photos handed in for job.
struct Adjusting
{
    explicit Adjusting(const QList<Image>& photos, SelectedJob job = SelectedJob::ImageToPDF)
    {
        screen = new AdjustScreen(p.services);
        screen->setPhotos(photos, job);
        p.navigator->push(screen);
        p.drain();
    }
    [[nodiscard]] QImage preview() const
    {
        return Image::lookup(screen->previewUrl().path().mid(1).toULongLong()).toQImage();
    }
    TestPlatform p;
    AdjustScreen* screen = nullptr;
};

void expectNear(const QList<QPointF>& corners, const QList<QPointF>& expected, double within)
{
    ASSERT_EQ(corners.size(), expected.size());
    for (qsizetype i = 0; i < corners.size(); ++i) {
        EXPECT_NEAR(corners[i].x(), expected[i].x(), within) << "corner " << i;
        EXPECT_NEAR(corners[i].y(), expected[i].y(), within) << "corner " << i;
    }
}
} // namespace

TEST(AdjustScreen, FindsThePageAndADraggedCornerMovesItsOutlineAndThePreview)
{
    Adjusting t({paperPhoto()});
    expectNear(t.screen->corners(), kPage, 0.015);
    EXPECT_EQ(t.screen->filter(), int(ScanFilter::Document));
    EXPECT_TRUE(t.screen->message().isEmpty());
    const QImage first = t.preview();
    ASSERT_FALSE(first.isNull());
    EXPECT_LT(first.width(), first.height()); // the page's own portrait shape
    EXPECT_LE(std::max(first.width(), first.height()), t.screen->previewSide());

    // Dragging the top-left corner halfway down the page leaves a shorter page.
    QList<QPointF> moved = t.screen->corners();
    EXPECT_TRUE(t.screen->moveCorner(0, 0.30, 0.45));
    moved[0] = {0.30, 0.45};
    expectNear(t.screen->corners(), moved, 1e-6);
    t.p.drain();
    EXPECT_NE(t.preview().size(), first.size());
    // The arrow keys' steps: a hundredth of the photo.
    EXPECT_TRUE(t.screen->nudgeCorner(1, -1, 2));
    EXPECT_NEAR(t.screen->corners()[1].x(), moved[1].x() - 0.01, 1e-6);
    EXPECT_NEAR(t.screen->corners()[1].y(), moved[1].y() + 0.02, 1e-6);

    // Past the opposite corner the outline would cross: refused, said, and nothing moves.
    const QList<QPointF> before = t.screen->corners();
    EXPECT_FALSE(t.screen->moveCorner(0, 0.9, 0.95));
    EXPECT_EQ(t.screen->corners(), before);
    EXPECT_TRUE(t.screen->message().contains("cannot cross"));
    EXPECT_TRUE(t.screen->nudgeCorner(0, 1, 0));
    EXPECT_TRUE(t.screen->message().isEmpty());
}

TEST(AdjustScreen, FilterAndTurnsShapeThePreviewApplyToAllCarriesThemAndDoneHandsPagesOn)
{
    Adjusting t({paperPhoto(), paperPhoto()});
    t.screen->setFilter(ScanFilter::BlackWhite);
    t.screen->rotateRight();
    t.p.drain();
    const QImage preview = t.preview();
    EXPECT_GT(preview.width(), preview.height()); // the portrait page on its side
    EXPECT_TRUE(preview.allGray());
    for (int y = 0; y < preview.height(); y += 7)
        for (int x = 0; x < preview.width(); x += 7)
            ASSERT_TRUE(qGray(preview.pixel(x, y)) == 0 || qGray(preview.pixel(x, y)) == 255);
    t.screen->rotateLeft();
    t.screen->rotateLeft();
    EXPECT_EQ(t.screen->quarterTurns(), 3);

    t.screen->applyToAll();
    t.screen->setCurrentIndex(1);
    t.p.drain();
    EXPECT_EQ(t.screen->filter(), int(ScanFilter::BlackWhite));
    EXPECT_EQ(t.screen->quarterTurns(), 3);
    t.screen->setFilter(ScanFilter::Greyscale);

    t.screen->btnDone();
    t.p.drain();
    auto* pdf = qobject_cast<ImageToPDFScreen*>(t.p.navigator->top());
    ASSERT_NE(pdf, nullptr);
    const QList<Image> pages = pdf->arrOfSelectedImages();
    ASSERT_EQ(pages.size(), 2);
    // Black and white stays lossless; tones go in as JPEG, whose bytes the PDF keeps.
    EXPECT_EQ(pages[0].sourceFormat(), "png");
    EXPECT_EQ(pages[1].sourceFormat(), "jpeg");
    for (const Image& page : pages) {
        EXPECT_GT(page.pixelSize().width(), page.pixelSize().height());
        EXPECT_NEAR(page.size().width(), 842, 1); // as long as A4
    }
}

TEST(AdjustScreen, NoPageIsSaidAndKeptWholeAndSkipHandsThePhotosOnAsPicked)
{
    const Image blank = Image::fromQImage(photofixtures::picture(640, 480));
    Adjusting t({blank}, SelectedJob::ExtractText);
    EXPECT_EQ(t.screen->message(), "No page found; the whole photo is kept.");
    expectNear(t.screen->corners(), {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 1e-6);

    t.screen->btnSkip();
    auto* extract = qobject_cast<ExtractTextScreen*>(t.p.navigator->top());
    ASSERT_NE(extract, nullptr);
    ASSERT_EQ(extract->arrOfSelectedImages().size(), 1);
    EXPECT_EQ(extract->arrOfSelectedImages()[0], blank);

    // Back on the step, Done corrects the whole photo for the recogniser.
    extract->btnBack();
    t.screen->btnDone();
    t.p.drain();
    extract = qobject_cast<ExtractTextScreen*>(t.p.navigator->top());
    ASSERT_NE(extract, nullptr);
    EXPECT_EQ(extract->arrOfSelectedImages()[0].pixelSize(), QSize(640, 480));
    EXPECT_NE(extract->arrOfSelectedImages()[0], blank);
}
