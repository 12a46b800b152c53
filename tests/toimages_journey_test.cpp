// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "jobs/Job.h"
#include "screens/toimages/ImagePreviewScreen.h"
#include "screens/toimages/PDFToImageScreen.h"
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/SamplePdfs.h"
#include "viewer/ViewImageScreen.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// The number of pages done that the overlay shows ("12 of 300"), or -1 when it shows none.
int shownCount(QQuickItem* label)
{
    const QString text = label->property("text").toString();
    return label->isVisible() && text.endsWith(QLatin1String(" of 300"))
               ? text.section(QLatin1Char(' '), 0, 0).toInt()
               : -1;
}
} // namespace

// From the start screen to home, a long conversion counted and cancelled, then a short one
// through the gallery and the viewer, and its pages listed at home.
TEST(PDFToImagesJourney, HomeConvertCancelGalleryViewerBackHomeAndTheHistory)
{
    QElapsedTimer started;
    started.start();
    Journey j;
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    EXPECT_GE(started.elapsed(), 400); // the start screen shows first
    EXPECT_TRUE(j.find("navigationBar")->isVisible());
    EXPECT_EQ(j.find("tableviewRecent")->property("count").toInt(), 0);
    j.screenshot("home");
    auto* home = qobject_cast<HomeScreen*>(j.platform.navigator->top());
    ASSERT_NE(home, nullptr);

    // The picker opens and, cancelled, leaves everything as it was.
    j.tap(j.findNamed("PDF to Images"));
    auto* picker = j.currentPage()->findChild<QObject*>("documentPicker");
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(fixtures::waitFor([&] { return picker->property("visible").toBool(); }));
    QMetaObject::invokeMethod(picker, "reject");
    ASSERT_TRUE(fixtures::waitFor([&] { return !picker->property("visible").toBool(); }));
    EXPECT_EQ(j.platform.navigator->top(), home);
    EXPECT_TRUE(home->pdfFilePath().isEmpty());

    // A long document counts up; Cancel leaves the screen, the History and its folder empty.
    const QString manual = j.platform.root.path() + "/Manual.pdf";
    ASSERT_TRUE(samplepdfs::write(manual, 300));
    home->didPickDocument(QUrl::fromLocalFile(manual));
    ASSERT_TRUE(j.waitForScreen("PDFToImageScreen"));
    auto* cancelled = qobject_cast<PDFToImageScreen*>(j.platform.navigator->top());
    j.tap(j.findNamed("Convert"));
    auto* hud = j.window()->findChild<QObject*>(QStringLiteral("hud"));
    auto* box = hud->property("contentItem").value<QQuickItem*>();
    auto* count = box->findChild<QQuickItem*>(QStringLiteral("hudProgress"));
    auto* cancel = box->findChild<QQuickItem*>(QStringLiteral("hudCancel"));
    ASSERT_TRUE(count && cancel);
    int first = -1;
    ASSERT_TRUE(fixtures::waitFor([&] { return (first = shownCount(count)) >= 1; }, 30000));
    ASSERT_TRUE(fixtures::waitFor([&] { return shownCount(count) > first; }, 30000));
    EXPECT_TRUE(box->findChild<QQuickItem*>(QStringLiteral("hudBar"))->isVisible());
    EXPECT_EQ(box->findChild<QQuickItem*>(QStringLiteral("hudStatus"))->property("text"),
              "Converting...");
    j.screenshot("pdf-to-images-progress");
    j.tap(cancel);
    ASSERT_TRUE(fixtures::waitFor([&] { return !hud->property("visible").toBool(); }, 5000));
    EXPECT_EQ(cancelled->job().state(), Job::Cancelled);
    EXPECT_LT(cancelled->job().progress(), 300);
    EXPECT_EQ(j.platform.navigator->top(), cancelled);
    EXPECT_TRUE(cancelled->arrOfImages().isEmpty());
    EXPECT_TRUE(j.platform.alerts.presented().empty());
    EXPECT_EQ(j.platform.history->count(), 0);
    EXPECT_TRUE(QDir(j.platform.historyPath()).entryList(QDir::Files).isEmpty());
    j.tap(j.findNamed("‹ Back"));
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    EXPECT_EQ(j.find("tableviewRecent")->property("count").toInt(), 0);

    const QString pdf = j.platform.root.path() + "/Quarterly report.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 3));
    home->didPickDocument(QUrl::fromLocalFile(pdf));
    ASSERT_TRUE(j.waitForScreen("PDFToImageScreen"));
    auto* pdfView = j.find("pdfView");
    ASSERT_NE(pdfView, nullptr);
    EXPECT_TRUE(fixtures::waitFor([&] { return pdfView->isVisible(); }));
    j.screenshot("pdf-to-images");

    // The options under the PDF: pages typed into the range field reach the screen.
    auto* conversion = qobject_cast<PDFToImageScreen*>(j.platform.navigator->top());
    ASSERT_NE(conversion, nullptr);
    auto* range = j.findNamed("Pages");
    ASSERT_NE(range, nullptr);
    ASSERT_NE(j.findNamed("Resolution"), nullptr);
    EXPECT_EQ(j.findNamed("Resolution")->property("currentText").toString(), "Screen"); // at once
    j.tap(range);
    for (const char key : {'1', '-', '3'})
        QTest::keyClick(j.window(), key);
    ASSERT_TRUE(fixtures::waitFor([&] { return conversion->pageRange() == "1-3"; }));
    EXPECT_TRUE(conversion->pageRangeError().isEmpty());
    j.screenshot("pdf-to-images-options");

    j.tap(j.findNamed("Convert"));
    ASSERT_TRUE(j.waitForScreen("ImagePreviewScreen", 30000));
    EXPECT_FALSE(j.platform.overlay->visible());
    auto* gallery = qobject_cast<ImagePreviewScreen*>(j.platform.navigator->top());
    auto* list = j.find("collectionviewImagePreview");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->property("count").toInt(), 3);
    auto* cell = Journey::itemsBelow(list, "CollectionViewCellImagePreview").value(0);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->size(), list->size()) << "one page fills the gallery";
    auto* picture = Journey::itemsBelow(cell, "ivImage").value(0);
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(fixtures::waitFor([&] { return picture->property("status").toInt() == 1; }));
    j.screenshot("gallery");

    // Swipe to the second page and open it alone.
    list->setProperty("currentIndex", 1);
    ASSERT_TRUE(fixtures::waitFor(
        [&] { return qFuzzyCompare(list->property("contentX").toReal(), list->width()); }));
    j.tap(list);
    ASSERT_TRUE(j.waitForScreen("ViewImageScreen"));
    auto* viewer = qobject_cast<ViewImageScreen*>(j.platform.navigator->top());
    EXPECT_EQ(viewer->selectedImage(), gallery->arrOfImages().at(1));
    auto* shown = j.find("ivImage");
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(fixtures::waitFor([&] { return shown->property("status").toInt() == 1; }));
    j.screenshot("viewer");

    j.tap(j.findNamed("‹ Back"));
    ASSERT_TRUE(j.waitForScreen("ImagePreviewScreen"));
    j.tap(j.findNamed("Home"));
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    auto* rows = j.find("tableviewRecent");
    ASSERT_TRUE(fixtures::waitFor([&] { return rows->property("count").toInt() == 3; }));
    EXPECT_EQ(home->tableviewRecent()->row(0)["title"].toString(), "1700000002.png");
    EXPECT_EQ(home->tableviewRecent()->row(1)["title"].toString(), "1700000001.png");
    EXPECT_EQ(home->tableviewRecent()->row(2)["title"].toString(), "1700000000.png");
    j.screenshot("home-after-pdf-to-images");
}
