// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/SizeLabel.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "support/Fixtures.h"
#include "support/Journey.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QQmlProperty>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// The first item named name in the visual tree under root (delegates and control contents too).
QQuickItem* findItem(QQuickItem* root, const QString& name)
{
    if (!root)
        return nullptr;
    if (root->objectName() == name)
        return root;
    for (QQuickItem* child : root->childItems())
        if (QQuickItem* found = findItem(child, name))
            return found;
    return nullptr;
}
} // namespace

TEST(ImagesToPdfJourney, ConvertShowsEveryPageAndHomeListsTheNewPdfFirst)
{
    Journey j;
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));

    QTemporaryDir photos;
    const QString a = photos.filePath("a.jpg"), b = photos.filePath("b.jpg"),
                  c = photos.filePath("c.jpg");
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(1200, 900), a));
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(1200, 900, Qt::darkRed), b, 6));
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(800, 800, Qt::darkGreen), c));
    // The photo picker hands these over; here they go straight to the screen.
    auto* screen = new ImageToPDFScreen(j.platform.services);
    screen->setArrOfSelectedImages({Image::fromFile(a), Image::fromFile(b), Image::fromFile(c)});
    j.platform.navigator->push(screen);
    ASSERT_TRUE(j.waitForScreen("ImageToPDFScreen"));
    auto* grid = j.find("collectionviewImagePDFPreview");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->property("count").toInt(), 3);
    j.screenshot("images-to-pdf");

    // The first page moves a place later with its arrow; A4 paper shows the margin beside it.
    const QList<Image> picked = screen->arrOfSelectedImages();
    QQuickItem* first = j.findNamed("Page 1", grid);
    ASSERT_NE(first, nullptr);
    QQuickItem* later = j.findNamed("Move later", first);
    ASSERT_NE(later, nullptr);
    ASSERT_TRUE(fixtures::waitFor([&] { return j.currentPage()->x() == 0; }));
    j.tap(later);
    ASSERT_TRUE(
        fixtures::waitFor([&] { return screen->arrOfSelectedImages().first() == picked[1]; }));
    ASSERT_NE(j.findNamed("Paper"), nullptr);
    EXPECT_EQ(j.findNamed("Paper")->property("currentText").toString(), "Photo size");
    screen->setPaperSize("a4");
    EXPECT_EQ(j.findNamed("Paper")->property("currentText").toString(), "A4");
    auto* margin = j.findNamed("Margin (mm)");
    ASSERT_NE(margin, nullptr);
    ASSERT_TRUE(fixtures::waitFor([&] { return margin->isVisible(); }));
    EXPECT_EQ(margin->property("value").toInt(), 10);
    j.screenshot("images-to-pdf-options");
    // Back as picked, pages the photos' own size, for the viewer checks below.
    screen->setPaperSize("photo");
    screen->moveEarlier(1);

    auto* convert = j.findNamed("Convert");
    ASSERT_NE(convert, nullptr);
    j.tap(convert);
    ASSERT_TRUE(j.waitForScreen("PDFPreviewScreen", 30000));

    auto* view = j.find("pdfView");
    ASSERT_NE(view, nullptr);
    auto* document = view->property("document").value<QObject*>();
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(fixtures::waitFor([&] { return document->property("pageCount").toInt() == 3; }));
    EXPECT_TRUE(view->isVisible());
    // The first page is drawn (Image.Ready), as wide as the view less its margins.
    ASSERT_TRUE(fixtures::waitFor([&] {
        auto* first = findItem(view, "pdfPage");
        return first && first->property("status").toInt() == 1;
    }));
    EXPECT_NEAR(findItem(view, "pdfPage")->width(), view->width() - 16, 1);
    auto* back = j.find("leftBarButton");
    ASSERT_NE(back, nullptr);
    EXPECT_FALSE(back->isEnabled()); // after a conversion the way out is Home
    EXPECT_EQ(back->opacity(), 0);
    auto* share = j.findNamed("Share");
    ASSERT_NE(share, nullptr);
    EXPECT_TRUE(share->isVisible());
    // The push transition slides the page in; tap once it has come to rest.
    ASSERT_TRUE(fixtures::waitFor([&] { return j.currentPage()->x() == 0; }));
    j.screenshot("viewer");

    // Share: the sheet offers its three actions; Copy puts the PDF on the clipboard as a file.
    j.tap(share);
    ASSERT_TRUE(fixtures::waitFor([&] { return j.platform.share.showing(); }));
    QQuickItem* copy = nullptr;
    ASSERT_TRUE(fixtures::waitFor([&] {
        copy = j.findNamed("Copy");
        return copy && copy->isVisible() &&
               copy->mapToScene({0, 0}).y() + copy->height() <= j.window()->height();
    }));
    EXPECT_NE(j.findNamed("Save a copy…"), nullptr);
    EXPECT_NE(j.findNamed("Open with the default app"), nullptr);
    j.screenshot("share-sheet");
    j.tap(copy);
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.share.showing(); }));
    ASSERT_EQ(j.platform.clipboard.urls().size(), 1);
    EXPECT_EQ(j.platform.clipboard.urls().front().fileName(), "1700000000.pdf");
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.overlay->visible(); }, 6000));

    auto* home = j.findNamed("Home");
    ASSERT_NE(home, nullptr);
    j.tap(home);
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    auto* list = j.find("tableviewRecent");
    ASSERT_TRUE(fixtures::waitFor([&] { return list->property("count").toInt() == 1; }));
    const QString path = j.platform.historyPath() + "/1700000000.pdf";
    auto* title = findItem(list, "lblTitle");
    auto* size = findItem(list, "lblSize");
    ASSERT_NE(title, nullptr);
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(title->property("text").toString(), "1700000000.pdf");
    EXPECT_EQ(size->property("text").toString(), sizeLabel(QFileInfo(path).size()));

    // The row opens the PDF again, this time with a working back button.
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    ASSERT_TRUE(j.waitForSettled());
    j.tap(title);
    ASSERT_TRUE(j.waitForScreen("PDFPreviewScreen"));
    ASSERT_TRUE(fixtures::waitFor([&] { return j.currentPage()->x() == 0; }));
    back = j.findNamed("‹ Back");
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->isEnabled());
    j.tap(back);
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));

    // With its only page left out there is nothing to convert: Convert is off and writes nothing.
    auto* single = new ImageToPDFScreen(j.platform.services);
    single->setArrOfSelectedImages({Image::fromFile(a)});
    j.platform.navigator->push(single);
    ASSERT_TRUE(j.waitForScreen("ImageToPDFScreen"));
    ASSERT_TRUE(fixtures::waitFor([&] { return j.currentPage()->x() == 0; }));
    QQuickItem* leaveOut = j.findNamed("Leave out");
    ASSERT_NE(leaveOut, nullptr);
    j.tap(leaveOut);
    ASSERT_TRUE(fixtures::waitFor([&] { return single->arrOfSelectedImages().isEmpty(); }));
    convert = j.find("rightBarButton");
    ASSERT_NE(convert, nullptr);
    EXPECT_FALSE(convert->isEnabled());
    j.tap(convert);
    single->btnConvert();
    QCoreApplication::processEvents();
    EXPECT_EQ(j.platform.history->entries().size(), 1);
    EXPECT_EQ(j.platform.navigator->top(), single);
}
