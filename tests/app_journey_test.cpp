// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/SizeLabel.h"
#include "picker/SelectImageScreen.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/PhotoFixtures.h"
#include "support/SamplePdfs.h"
#include "viewer/PDFPreviewScreen.h"
#include "viewer/PageGridScreen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTransform>

#include <gtest/gtest.h>

// Whole jobs as a user walks them: from the home screen through the photo picker to the result.
namespace {
// The app over a photo library folder of camera photos, photo0 the newest.
class AppJourney : public ::testing::Test
{
  protected:
    Journey j;

    void SetUp() override { j.usePhotoFolder(); }

    void typeKeys(const QByteArray& keys) const
    {
        for (char key : keys)
            QTest::keyClick(j.window(), key);
    }
    void addPhotos(int count)
    {
        const QColor tints[] = {QColor(230, 120, 40), QColor(40, 150, 90), QColor(60, 90, 200),
                                QColor(180, 60, 160)};
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(j.addPhoto(
                i, photofixtures::picture(i % 2 ? 900 : 1200, i % 2 ? 1200 : 900, tints[i % 4])));
    }

    // Taps a job button on the home screen and waits for the picker's grid to fill.
    void openPicker(const QString& button, int cells)
    {
        ASSERT_TRUE(j.waitForScreen("HomeScreen"));
        ASSERT_NE(j.find(button), nullptr);
        j.tap(j.find(button));
        ASSERT_TRUE(j.waitForScreen("SelectImageScreen"));
        ASSERT_TRUE(fixtures::waitFor([&] { return cell(cells - 1) != nullptr; }));
    }

    [[nodiscard]] QQuickItem* cell(int index) const
    {
        auto* grid = j.find("collectionviewImages");
        auto* content = grid ? qvariant_cast<QQuickItem*>(grid->property("contentItem")) : nullptr;
        for (QQuickItem* item : content ? content->childItems() : QList<QQuickItem*>())
            if (item->objectName() == "CollectionViewCellImages" &&
                item->property("index").toInt() == index && item->isVisible())
                return item;
        return nullptr;
    }

    [[nodiscard]] QQuickItem* button(const QString& name) const { return j.waitNamed(name); }

    // The history's first row after going back home: its file name and its size text.
    void expectFirstRow(const QString& fileName)
    {
        ASSERT_TRUE(j.waitForScreen("HomeScreen"));
        auto* list = j.find("tableviewRecent");
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(fixtures::waitFor([&] { return list->property("count").toInt() >= 1; }));
        QQuickItem* row = nullptr;
        ASSERT_TRUE(fixtures::waitFor([&] {
            QMetaObject::invokeMethod(list, "itemAtIndex", Q_RETURN_ARG(QQuickItem*, row),
                                      Q_ARG(int, 0));
            return row != nullptr;
        }));
        auto* title = row->findChild<QQuickItem*>("lblTitle");
        auto* size = row->findChild<QQuickItem*>("lblSize");
        ASSERT_NE(title, nullptr);
        ASSERT_NE(size, nullptr);
        EXPECT_EQ(title->property("text").toString(), fileName);
        EXPECT_EQ(size->property("text").toString(),
                  sizeLabel(QFileInfo(j.platform.historyPath() + "/" + fileName).size()));
    }
};
} // namespace

// Images to PDF from the picker: the pages in tick order, moved, on a chosen paper; the PDF shown,
// shared, listed first at home and opened again from there; with no page left, Convert is off.
TEST_F(AppJourney, ImagesToPdfInTickOrderConvertShareAndReopenFromHistory)
{
    addPhotos(4);
    ASSERT_TRUE(j.addPhoto(2, photofixtures::picture(1200, 900, Qt::darkRed), 6)); // sideways
    openPicker("btnImageToPDF", 4);
    j.tap(cell(0));
    j.tap(cell(2));
    j.tap(cell(1));
    j.screenshot("picker");
    j.tap(button("Done"));
    ASSERT_TRUE(j.waitForScreen("AdjustScreen"));
    j.tap(button("Skip")); // the photos as they are
    ASSERT_TRUE(j.waitForScreen("ImageToPDFScreen"));
    auto* screen = qobject_cast<ImageToPDFScreen*>(j.platform.navigator->top());
    // Newest first, so cell n is photo n; the pages come in tick order.
    const QList<Image> picked = screen->arrOfSelectedImages();
    QStringList handed;
    for (const Image& image : picked)
        handed << QFileInfo(image.sourcePath()).fileName();
    EXPECT_EQ(handed, QStringList({"photo0.jpg", "photo2.jpg", "photo1.jpg"}));
    auto* grid = j.find("collectionviewImagePDFPreview");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->property("count").toInt(), 3);
    j.screenshot("app-images-to-pdf");
    j.screenshot("images-to-pdf");

    // The first page moves a place later with its arrow; A4 paper shows the margin beside it.
    ASSERT_TRUE(j.waitForSettled());
    QQuickItem* first = j.findNamed("Page 1", grid);
    ASSERT_NE(first, nullptr);
    j.tap(j.findNamed("Move later", first));
    ASSERT_TRUE(
        fixtures::waitFor([&] { return screen->arrOfSelectedImages().first() == picked[1]; }));
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

    j.tap(button("Convert"));
    ASSERT_TRUE(j.waitForScreen("PDFPreviewScreen", 30000));
    auto* view = j.find("pdfView");
    ASSERT_NE(view, nullptr);
    auto* document = view->property("document").value<QObject*>();
    ASSERT_NE(document, nullptr);
    ASSERT_TRUE(fixtures::waitFor([&] { return document->property("pageCount").toInt() == 3; }));
    // The first page is drawn (Image.Ready), as wide as the view less its margins.
    QQuickItem* page = nullptr;
    ASSERT_TRUE(fixtures::waitFor([&] {
        page = Journey::itemsBelow(view, "pdfPage").value(0);
        return page && page->property("status").toInt() == 1;
    }));
    EXPECT_NEAR(page->width(), view->width() - 16, 1);
    auto* back = j.find("leftBarButton");
    EXPECT_FALSE(back->isEnabled()); // after a conversion the way out is Home
    EXPECT_EQ(back->opacity(), 0);
    ASSERT_TRUE(j.waitForSettled());
    j.screenshot("viewer");

    // Share: the sheet offers its three actions; Copy puts the PDF on the clipboard as a file.
    j.tap(button("Share"));
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

    j.tap(button("Home"));
    expectFirstRow("1700000000.pdf");
    // The row opens the PDF again, this time with a working back button.
    ASSERT_TRUE(j.waitForSettled());
    j.tap(Journey::itemsBelow(j.find("tableviewRecent"), "lblTitle").value(0));
    ASSERT_TRUE(j.waitForScreen("PDFPreviewScreen"));
    ASSERT_TRUE(j.waitForSettled());
    j.tap(button("‹ Back"));
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));

    // With its only page left out there is nothing to convert: Convert is off and writes nothing.
    auto* single = new ImageToPDFScreen(j.platform.services);
    single->setArrOfSelectedImages({picked[0]});
    j.platform.navigator->push(single);
    ASSERT_TRUE(j.waitForScreen("ImageToPDFScreen"));
    ASSERT_TRUE(j.waitForSettled());
    j.tap(button("Leave out"));
    ASSERT_TRUE(fixtures::waitFor([&] { return single->arrOfSelectedImages().isEmpty(); }));
    auto* convert = j.find("rightBarButton");
    EXPECT_FALSE(convert->isEnabled());
    j.tap(convert);
    single->btnConvert();
    QCoreApplication::processEvents();
    EXPECT_EQ(j.platform.history->entries().size(), 1);
    EXPECT_EQ(j.platform.navigator->top(), single);
}

TEST_F(AppJourney, ImagesToPdfThroughTheAdjustStepByTapAndKeyboard)
{
    ASSERT_TRUE(j.addPhoto(
        0, photofixtures::paperOnTable(
               QSize(1200, 900), QPolygonF({{420, 90}, {830, 130}, {800, 820}, {390, 780}}))));
    openPicker("btnImageToPDF", 1);
    j.tap(cell(0));
    j.tap(button("Done"));
    ASSERT_TRUE(j.waitForScreen("AdjustScreen"));
    Screen* adjust = j.platform.navigator->top();
    const auto corners = [&] {
        QList<QPointF> points;
        for (const QVariant& p : adjust->property("corners").toList())
            points.append(p.toPointF());
        return points;
    };
    ASSERT_TRUE(fixtures::waitFor([&] { return corners().size() == 4; }));
    ASSERT_TRUE(j.waitForSettled());
    const QPointF found = corners()[0];
    EXPECT_NEAR(found.x(), 420.0 / 1200, 0.02);

    // A tap puts the keyboard on a corner; the arrows move it a hundredth of the photo a press.
    QQuickItem* corner = button("Top-left corner");
    ASSERT_NE(corner, nullptr);
    j.tap(corner);
    ASSERT_TRUE(fixtures::waitFor([&] { return corner->hasActiveFocus(); }));
    QTest::keyClick(j.window(), Qt::Key_Right);
    QTest::keyClick(j.window(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_NEAR(corners()[0].x(), found.x() + 0.01, 1e-6);
    EXPECT_NEAR(corners()[0].y(), found.y() + 0.05, 1e-6);
    // Dragging shows the photo under the finger in a loupe, and the corner follows the finger.
    const QPointF moved = corners()[0];
    const QPoint start = corner->mapToScene({corner->width() / 2, corner->height() / 2}).toPoint();
    QTest::mousePress(j.window(), Qt::LeftButton, {}, start);
    for (int step = 1; step <= 8; ++step)
        QTest::mouseMove(j.window(), start + QPoint(step * 4, step * 2));
    EXPECT_TRUE(j.find("magnifier")->isVisible());
    j.screenshot("adjust-dragging");
    QTest::mouseRelease(j.window(), Qt::LeftButton, {}, start + QPoint(32, 16));
    EXPECT_FALSE(j.find("magnifier")->isVisible());
    EXPECT_GT(corners()[0].x(), moved.x() + 0.02);
    j.tap(button("Black & white"));
    EXPECT_EQ(adjust->property("filter").toInt(), 3);

    j.tap(button("Done"));
    ASSERT_TRUE(j.waitForScreen("ImageToPDFScreen", 30000));
    const QList<Image> pages =
        qobject_cast<ImageToPDFScreen*>(j.platform.navigator->top())->arrOfSelectedImages();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].sourceFormat(), "png");
    EXPECT_LT(pages[0].pixelSize().width(), pages[0].pixelSize().height());
    j.tap(button("Convert"));
    ASSERT_TRUE(j.waitForScreen("PDFPreviewScreen", 30000));
}

TEST_F(AppJourney, ExtractTextFromHomeThroughThePickerCopyItAndGoHome)
{
    j.platform.services.recognizer = &j.platform.tesseract;
    // A portrait note stored sideways, EXIF orientation 6: shown and read upright.
    const QStringList lines = {"Buy milk and bread", "Call the plumber"};
    const QString expected = lines.join('\n') + '\n';
    ASSERT_TRUE(photofixtures::writePhoto(
        j.platform.services.locations.photoLibrary + QStringLiteral("/note.jpg"),
        fixtures::textPage(lines, 1200).transformed(QTransform().rotate(-90)),
        QDateTime::fromSecsSinceEpoch(1700000000), 6, 92));
    openPicker("btnExtractText", 1);
    // One tap chooses: no Done; a PDF may be chosen instead.
    EXPECT_EQ(j.find("rightBarButton")->property("text").toString(), QString());
    EXPECT_TRUE(j.find("btnChoosePdf")->property("visible").toBool());
    j.tap(cell(0));
    ASSERT_TRUE(j.waitForScreen("AdjustScreen"));
    j.tap(button("Skip"));
    ASSERT_TRUE(j.waitForScreen("ExtractTextScreen"));
    auto* photo = j.find("ivImage");
    ASSERT_NE(photo, nullptr);
    ASSERT_TRUE(fixtures::waitFor([&] { return photo->property("status").toInt() == 1; }));
    EXPECT_LT(photo->property("paintedWidth").toReal(), photo->property("paintedHeight").toReal());
    j.screenshot("app-extract");
    // The overlay is gone, its closing animation included, and takes no more touches.
    auto* hud = j.window()->findChild<QObject*>(QStringLiteral("hud"));
    const auto hudGone = [&] { return hud && !hud->property("visible").toBool(); };

    j.tap(button("Extract"));
    ASSERT_TRUE(j.waitForScreen("TextScreen", 60000));
    auto* text = j.find("tvText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->property("text").toString(), expected);
    ASSERT_TRUE(fixtures::waitFor(hudGone));
    j.screenshot("text");

    j.tap(button("Copy"));
    EXPECT_EQ(j.platform.clipboard.text(), expected);
    EXPECT_EQ(j.platform.overlay->status(), QStringLiteral("Copied!"));
    ASSERT_TRUE(fixtures::waitFor(hudGone));

    // Return keeps its line feed and puts the keyboard away.
    j.tap(text);
    ASSERT_TRUE(fixtures::waitFor([&] { return text->hasActiveFocus(); }));
    QTest::keyClick(j.window(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(j.window(), Qt::Key_Return);
    EXPECT_EQ(text->property("text").toString(), expected + '\n');
    EXPECT_FALSE(text->hasActiveFocus());
    EXPECT_EQ(j.platform.navigator->top()->property("tvText").toString(), expected + '\n');

    j.tap(button("Home"));
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));

    // A PDF instead: every page's text, a page apart, and a searchable copy listed first at home.
    const QString pdf = j.platform.root.path() + QStringLiteral("/letter.pdf");
    ASSERT_TRUE(samplepdfs::writeScannedAndTyped(pdf, "Searchable pages help everyone", "Typed"));
    openPicker("btnExtractText", 1);
    qobject_cast<SelectImageScreen*>(j.platform.navigator->top())
        ->didPickDocument(QUrl::fromLocalFile(pdf));
    ASSERT_TRUE(j.waitForScreen("ExtractTextScreen"));
    j.screenshot("app-extract-pdf");
    j.tap(button("Extract"));
    ASSERT_TRUE(j.waitForScreen("TextScreen", 60000));
    const QStringList pages = j.find("tvText")->property("text").toString().split('\f');
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("everyone"))) << pages[0].toStdString();
    EXPECT_EQ(pages[1].trimmed(), QStringLiteral("Typed"));
    ASSERT_TRUE(fixtures::waitFor(hudGone));
    j.screenshot("text-pdf");
    j.tap(button("Save searchable PDF"));
    ASSERT_TRUE(fixtures::waitFor([&] { return j.platform.history->count() == 1; }, 30000));
    ASSERT_TRUE(fixtures::waitFor(hudGone));
    j.tap(button("Home"));
    expectFirstRow("1700000000.pdf");
}

TEST_F(AppJourney, CompressFromHomeThroughThePicker)
{
    addPhotos(3);
    openPicker("btnCompressImage", 3);
    j.tap(cell(1));
    j.tap(cell(2));
    j.tap(button("Done"));
    ASSERT_TRUE(j.waitForScreen("CompressImageScreen"));
    auto* grid = j.find("collectionviewCompressImage");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->property("count").toInt(), 2);
    j.screenshot("app-compress");
    // A size that does not read is explained under its field, clear of the bar and its button.
    QQuickItem* mode = j.find("targetMode");
    mode->setProperty("currentIndex", mode->property("count").toInt() - 1);
    QQuickItem* typed = j.find("typedSize");
    j.tap(typed);
    ASSERT_TRUE(fixtures::waitFor([&] { return typed->hasActiveFocus(); }));
    typeKeys("5 kg");
    QQuickItem* hint = j.find("typedSizeHint");
    ASSERT_TRUE(fixtures::waitFor([&] { return hint->isVisible(); }));
    const QRectF bar = j.find("navigationBar")->mapRectToScene(QRectF(0, 0, 390, 52));
    EXPECT_GE(hint->mapToScene({0, 0}).y(), bar.bottom());
    EXPECT_GE(grid->mapToScene({0, 0}).y(), hint->mapToScene({0, hint->height()}).y());
    j.screenshot("app-compress-typed-size");
    QTest::keyClick(j.window(), Qt::Key_A, Qt::ControlModifier);
    typeKeys("1 mb");
    ASSERT_TRUE(fixtures::waitFor([&] { return !hint->isVisible(); }));
    mode->setProperty("currentIndex", 0);
    QMetaObject::invokeMethod(j.platform.navigator->top(), "setTargetText", Q_ARG(QString, ""));

    j.tap(button("Compress"));
    ASSERT_TRUE(j.waitForScreen("CompressImagePreviewScreen", 30000));
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.overlay->visible(); }));
    j.screenshot("compress");
    j.tap(button("Home"));
    expectFirstRow("1700000001.jpg");
}

// The page grid from the viewer: a page dragged onto another's place, one moved, selected and
// turned from the keyboard, a PDF added through the chooser, and Save opens the new PDF.
TEST_F(AppJourney, OrganiseAPdfFromTheViewerByDragKeysAndTheChooser)
{
    const QString papers = j.platform.root.filePath("Papers");
    ASSERT_TRUE(QDir().mkpath(papers));
    const QString input = papers + "/four.pdf";
    ASSERT_TRUE(samplepdfs::write(input, 4, {300, 400}));
    ASSERT_TRUE(samplepdfs::write(papers + "/extra.pdf", 1, {400, 300}));
    j.platform.defaults.setValue("lastDocumentFolder", papers);
    j.window()->resize(390, 844);
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    auto* viewer = new PDFPreviewScreen(j.platform.services);
    viewer->setIsFromHistory(true);
    viewer->setPdfFilePath(input);
    j.platform.navigator->push(viewer);
    QQuickItem* organise = nullptr;
    ASSERT_TRUE(fixtures::waitFor([&] {
        organise = j.findNamed("Organise");
        return organise && organise->isEnabled();
    }));
    ASSERT_TRUE(j.waitForSettled());
    j.tap(organise);
    ASSERT_TRUE(j.waitForScreen("PageGridScreen"));
    auto* screen = qobject_cast<PageGridScreen*>(j.platform.navigator->top());
    const auto order = [&] {
        std::vector<int> pages;
        for (const auto& page : screen->pages()->pages())
            pages.push_back(page.page + 10 * page.document + 1);
        return pages;
    };
    QQuickItem* grid = j.find("pageGrid");
    const auto card = [&](int index) -> QQuickItem* {
        for (QQuickItem* item : Journey::itemsBelow(grid, "pageCard"))
            if (item->parentItem()->property("index").toInt() == index)
                return item;
        return nullptr;
    };
    ASSERT_TRUE(fixtures::waitFor([&] { return card(3) != nullptr; }));
    ASSERT_TRUE(j.waitForSettled());

    // Dragged by the mouse in small steps, as a hand moves, onto the second page's place.
    const auto centre = [](QQuickItem* item) {
        return item->mapToScene({item->width() / 2, item->height() / 2}).toPoint();
    };
    const QPoint from = centre(card(0));
    const QPoint to = centre(card(1));
    QTest::mousePress(j.window(), Qt::LeftButton, {}, from);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(j.window(), from + (to - from) * step / 10);
    QTest::mouseRelease(j.window(), Qt::LeftButton, {}, to);
    ASSERT_TRUE(fixtures::waitFor([&] { return order() == std::vector<int>{2, 1, 3, 4}; }));

    grid->forceActiveFocus();
    grid->setProperty("currentIndex", 3);
    QTest::keyClick(j.window(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(order(), (std::vector<int>{2, 1, 4, 3}));
    QTest::keyClick(j.window(), Qt::Key_Space);
    QTest::keyClick(j.window(), Qt::Key_BracketRight);
    EXPECT_EQ(screen->pages()->pages()[2].turn, 90);
    QTest::mouseClick(j.window(), Qt::LeftButton, Qt::ControlModifier, centre(card(0)));
    EXPECT_EQ(screen->selectedCount(), 2);
    EXPECT_TRUE(j.unnamedControls().isEmpty()) << qPrintable(j.unnamedControls().join('\n'));
    j.screenshot("page-grid-phone");
    j.window()->resize(1280, 800);
    ASSERT_TRUE(fixtures::waitFor([&] { return grid->width() > 1000; }));
    ASSERT_TRUE(j.waitForSettled());
    j.screenshot("page-grid-desktop");

    j.tap(j.findNamed("Add PDF"));
    ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("extra.pdf") != nullptr; }));
    j.tap(j.findNamed("extra.pdf"));
    ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("Open")->isEnabled(); }));
    j.tap(j.findNamed("Open"));
    auto* chooser = j.currentPage()->findChild<QObject*>("documentPicker");
    ASSERT_TRUE(fixtures::waitFor([&] {
        return screen->pages()->rowCount() == 5 && !chooser->property("visible").toBool();
    }));
    ASSERT_TRUE(j.waitForSettled());
    j.tap(j.find("rightBarButton"));
    ASSERT_TRUE(j.waitForScreen("PDFPreviewScreen", 30000));
    ASSERT_EQ(j.platform.history->count(), 1);
    EXPECT_NE(j.platform.history->at(0).toLocalFile(), input);
}
