// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ViewController.h"
#include "common/PageRange.h"
#include "home/HomeScreen.h"
#include "screens/toimages/PDFToImageScreen.h"
#include "support/SamplePdfs.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(PageRange, IsReadAsPeopleWriteItAndRefusedWithAReason)
{
    const auto range = PageRange::parse(" 1-3, 8 ,2");
    ASSERT_TRUE(range);
    EXPECT_EQ(range->indices(10), (QList<int>{0, 1, 2, 7})); // each page once, in the order given
    EXPECT_EQ(range->lastPage(), 8);
    EXPECT_EQ(range->toString(), "1-3, 8, 2");
    EXPECT_TRUE(PageRange::parse("")->isAll());
    EXPECT_EQ(PageRange::parse("")->indices(3), (QList<int>{0, 1, 2}));

    for (const char* bad : {"0", "5-2", "x", "1,,2", "1-", "2-3-4", "-1", "99999999999"}) {
        QString why;
        EXPECT_FALSE(PageRange::parse(bad, &why)) << bad;
        EXPECT_FALSE(why.isEmpty()) << bad;
    }
    QString why;
    PageRange::parse("5-2", &why);
    EXPECT_TRUE(why.contains("2-5")) << why.toStdString();
}

// On the screen: a bad range or one past the end is refused with nothing written; the chosen
// pages at the chosen resolution are converted in the order typed.
TEST(PDFToImageScreen, ConvertsTheChosenPagesAtTheChosenResolutionAndRefusesBadRanges)
{
    TestPlatform p;
    const QString pdf = p.root.path() + "/three.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 3));
    p.navigator->setRoot(new ViewController(p.services));
    p.queues.advance(0.5);
    qobject_cast<HomeScreen*>(p.navigator->top())->didPickDocument(QUrl::fromLocalFile(pdf));
    auto* screen = qobject_cast<PDFToImageScreen*>(p.navigator->top());
    ASSERT_NE(screen, nullptr);

    screen->setPageRange("x");
    EXPECT_FALSE(screen->pageRangeError().isEmpty());
    screen->btnConvert();
    p.drain();
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(p.alerts.presented().back().message, screen->pageRangeError());
    screen->setPageRange("2-5");
    EXPECT_TRUE(screen->pageRangeError().isEmpty());
    screen->btnConvert();
    p.drain();
    ASSERT_EQ(p.alerts.presented().size(), 2u);
    EXPECT_EQ(p.alerts.presented().back().message, "The PDF has 3 pages; there is no page 5.");
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_TRUE(QDir(p.historyPath()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(p.navigator->top(), screen);

    EXPECT_EQ(screen->resolution(), 0); // the screen's scale unless chosen
    screen->setResolution(72);
    screen->setResolution(97); // not offered
    screen->setPageRange("3, 1");
    screen->btnConvert();
    p.drain();
    const QList<Image> pages = screen->arrOfImages();
    ASSERT_EQ(pages.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(QFileInfo(pages[i].sourcePath()).fileName(),
                  QString::number(1700000000 + i) + ".png");
        const QImage image = pages[i].toQImage();
        EXPECT_EQ(image.size(), QSize(612, 792));
        EXPECT_NEAR(qRed(image.pixel(130, 30)), samplepdfs::greyOf(i == 0 ? 2 : 0), 2);
    }
    EXPECT_EQ(p.navigator->top()->screenName(), "ImagePreviewScreen");
}
