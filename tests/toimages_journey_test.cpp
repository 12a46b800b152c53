// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "screens/toimages/ImagePreviewScreen.h"
#include "screens/toimages/PDFToImageScreen.h"
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/SamplePdfs.h"
#include "viewer/ViewImageScreen.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
// Waits for the named screen and for the stack's push or pop animation to end, so taps land.
bool arrive(Journey& j, const QString& screen, int timeoutMs = 10000)
{
    auto* stack = j.window()->findChild<QQuickItem*>(QStringLiteral("stack"));
    return j.waitForScreen(screen, timeoutMs) &&
           fixtures::waitFor([&] { return !stack->property("busy").toBool(); });
}

// Delegates of a view are children in the item tree only, not in the object tree.
QQuickItem* findItem(QQuickItem* root, const QString& objectName)
{
    for (QQuickItem* child : root->childItems()) {
        if (child->objectName() == objectName)
            return child;
        if (QQuickItem* found = findItem(child, objectName))
            return found;
    }
    return nullptr;
}
} // namespace

TEST(PDFToImagesJourney, HomeConvertGalleryViewerBackHomeAndTheHistory)
{
    Journey j;
    ASSERT_TRUE(arrive(j, "HomeScreen"));
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

    const QString pdf = j.platform.root.path() + "/Quarterly report.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 3));
    home->didPickDocument(QUrl::fromLocalFile(pdf));
    ASSERT_TRUE(arrive(j, "PDFToImageScreen"));
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
    ASSERT_TRUE(arrive(j, "ImagePreviewScreen", 30000));
    EXPECT_FALSE(j.platform.overlay->visible());
    auto* gallery = qobject_cast<ImagePreviewScreen*>(j.platform.navigator->top());
    auto* list = j.find("collectionviewImagePreview");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->property("count").toInt(), 3);
    auto* cell = findItem(list, "CollectionViewCellImagePreview");
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->size(), list->size()) << "one page fills the gallery";
    auto* picture = findItem(cell, "ivImage");
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(fixtures::waitFor([&] { return picture->property("status").toInt() == 1; }));
    j.screenshot("gallery");

    // Swipe to the second page and open it alone.
    list->setProperty("currentIndex", 1);
    ASSERT_TRUE(fixtures::waitFor(
        [&] { return qFuzzyCompare(list->property("contentX").toReal(), list->width()); }));
    j.tap(list);
    ASSERT_TRUE(arrive(j, "ViewImageScreen"));
    auto* viewer = qobject_cast<ViewImageScreen*>(j.platform.navigator->top());
    EXPECT_EQ(viewer->selectedImage(), gallery->arrOfImages().at(1));
    auto* shown = j.find("ivImage");
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(fixtures::waitFor([&] { return shown->property("status").toInt() == 1; }));
    j.screenshot("viewer");

    j.tap(j.findNamed("‹ Back"));
    ASSERT_TRUE(arrive(j, "ImagePreviewScreen"));
    j.tap(j.findNamed("Home"));
    ASSERT_TRUE(arrive(j, "HomeScreen"));
    auto* rows = j.find("tableviewRecent");
    ASSERT_TRUE(fixtures::waitFor([&] { return rows->property("count").toInt() == 3; }));
    EXPECT_EQ(home->tableviewRecent()->row(0)["title"].toString(), "1700000002.png");
    EXPECT_EQ(home->tableviewRecent()->row(1)["title"].toString(), "1700000001.png");
    EXPECT_EQ(home->tableviewRecent()->row(2)["title"].toString(), "1700000000.png");
    j.screenshot("home-after-pdf-to-images");
}
