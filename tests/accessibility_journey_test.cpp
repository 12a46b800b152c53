// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "jobs/Job.h"
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/PhotoFixtures.h"
#include "support/SamplePdfs.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

// Every screen as a keyboard and screen reader user meets it: each control the user can operate
// has a name, and the journeys reach each one by Tab alone, see it take the keyboard visibly and
// work it with Enter, the arrows and Space.
namespace {
class AccessibilityJourney : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        j.usePhotoFolder();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(
                j.addPhoto(i, photofixtures::picture(900, 1200, QColor(60, 90 + 40 * i, 200))));
        j.window()->resize(1280, 800);
        j.window()->show();
        j.window()->requestActivate();
        ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(j.window(), k, modifiers);
    }
    [[nodiscard]] bool hasKeyboard(const QQuickItem* item) const
    {
        for (QQuickItem* at = j.window()->activeFocusItem(); at; at = at->parentItem())
            if (at == item)
                return true;
        return false;
    }
    // Tabs to what a screen reader announces under this name, once it is there and enabled, and
    // presses k on it (Space unless told).
    void press(const QString& name, Qt::Key k = Qt::Key_Space)
    {
        QQuickItem* item = nullptr;
        ASSERT_TRUE(j.waitForSettled()); // keys wait for a page still sliding in
        ASSERT_TRUE(fixtures::waitFor([&] {
            item = j.findNamed(name);
            return item && item->isEnabled();
        })) << qPrintable(name);
        for (int tabs = 0; tabs < 40 && !hasKeyboard(item); ++tabs)
            key(Qt::Key_Tab);
        ASSERT_TRUE(hasKeyboard(item)) << "Tab never reaches " << qPrintable(name);
        const QVariant ring = item->property("visualFocus");
        EXPECT_TRUE(!ring.isValid() || ring.toBool()) << qPrintable(name) << " shows no focus";
        if (k != Qt::Key_unknown)
            key(k);
    }
    void arrive(const QString& screen, int timeoutMs = 10000)
    {
        ASSERT_TRUE(j.waitForScreen(screen, timeoutMs)) << qPrintable(screen);
        // The overlay, its closing animation included, takes the keys until it has gone.
        auto* hud = j.window()->findChild<QObject*>(QStringLiteral("hud"));
        ASSERT_TRUE(fixtures::waitFor([&] { return !hud->property("visible").toBool(); }, 30000));
        ASSERT_TRUE(j.waitForSettled());
        expectAllNamed(screen);
    }
    void expectAllNamed(const QString& where)
    {
        const QStringList unnamed = j.unnamedControls();
        EXPECT_TRUE(unnamed.isEmpty()) << qPrintable(where + ":\n" + unnamed.join('\n'));
    }
    // From home through the picker: the arrows walk to each photo and Space ticks it (or, for the
    // one-photo jobs, takes it).
    void pick(const QString& job, const QStringList& photos, bool done = true)
    {
        press(job, Qt::Key_Return);
        arrive("SelectImageScreen");
        auto* grid = j.find("collectionviewImages");
        ASSERT_TRUE(fixtures::waitFor([&] { return grid->property("count").toInt() == 3; }));
        press("Photos", Qt::Key_unknown);
        for (const QString& photo : photos) {
            const QQuickItem* cell = j.findNamed(photo, grid);
            ASSERT_NE(cell, nullptr) << qPrintable(photo);
            for (int steps = 0;
                 steps < 3 && grid->property("currentItem").value<QQuickItem*>() != cell; ++steps)
                key(Qt::Key_Right);
            ASSERT_EQ(grid->property("currentItem").value<QQuickItem*>(), cell);
            key(Qt::Key_Space);
        }
        if (done)
            press("Done");
    }

    Journey j;
};
} // namespace

TEST_F(AccessibilityJourney, ImagesToPdfSettingsWithItsColoursAndTheHistory)
{
    arrive("HomeScreen");
    press("Settings");
    arrive("SettingScreen");
    j.screenshot("settings");
    // Colours: System, Light or Dark; the choice holds at once and is kept.
    auto* colours = j.find("colorScheme");
    EXPECT_EQ(colours->property("currentText").toString(), "System");
    colours->forceActiveFocus();
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    ASSERT_TRUE(
        fixtures::waitFor([&] { return colours->property("currentText").toString() == "Dark"; }));
    EXPECT_EQ(j.platform.defaults.value("colorScheme").toString(), "dark");
    EXPECT_EQ(j.window()->color(), QColor(Qt::black));
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    ASSERT_TRUE(
        fixtures::waitFor([&] { return colours->property("currentText").toString() == "System"; }));
    key(Qt::Key_Backspace); // back, as Alt+Left
    arrive("HomeScreen");
    pick("Images to PDF", {"photo0.jpg", "photo2.jpg"}); // opened with Enter
    arrive("AdjustScreen");
    press("Skip");
    arrive("ImageToPDFScreen");
    j.screenshot("images-to-pdf-wide");
    press("Convert");
    arrive("PDFPreviewScreen", 30000);
    press("Share");
    auto* sheet = j.window()->findChild<QObject*>(QStringLiteral("shareSheet"));
    ASSERT_TRUE(fixtures::waitFor([&] { return sheet->property("position").toReal() == 1; }));
    expectAllNamed("share sheet");
    // The sheet takes the keyboard on its first action; the arrows walk the rest.
    ASSERT_TRUE(fixtures::waitFor([&] { return hasKeyboard(j.findNamed("Save a copy…")); }));
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    ASSERT_TRUE(hasKeyboard(j.findNamed("Cancel")));
    key(Qt::Key_Return);
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.share.showing(); }));
    press("Home");
    arrive("HomeScreen");
    auto* rows = j.find("tableviewRecent");
    ASSERT_TRUE(fixtures::waitFor([&] { return rows->property("count").toInt() == 1; }));
    expectAllNamed("history");
    // The history's rows take the keyboard too, and Enter opens one.
    press("History", Qt::Key_Return);
    arrive("PDFPreviewScreen");
    key(Qt::Key_Backspace);
    arrive("HomeScreen");
}

TEST_F(AccessibilityJourney, PdfToImagesGalleryAndViewer)
{
    const QString folder = j.platform.root.path() + "/Papers";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(samplepdfs::write(folder + "/Three pages.pdf", 3));
    j.platform.defaults.setValue(QStringLiteral("lastDocumentFolder"), folder);
    key(Qt::Key_O, Qt::ControlModifier);
    auto* chooser = j.window()->findChild<QObject*>(QStringLiteral("documentPicker"));
    ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("Three pages.pdf") != nullptr; }));
    expectAllNamed("PDF chooser");
    key(Qt::Key_Return);
    ASSERT_TRUE(fixtures::waitFor([&] { return !chooser->property("visible").toBool(); }));
    arrive("PDFToImageScreen");
    press("Convert");
    arrive("ImagePreviewScreen", 30000);
    // PageDown, End, Home and the page field turn the pages; Enter shows the one in view.
    auto* gallery = j.find("collectionviewImagePreview");
    press("Pages", Qt::Key_PageDown);
    EXPECT_EQ(gallery->property("currentIndex").toInt(), 1);
    key(Qt::Key_End);
    EXPECT_EQ(gallery->property("currentIndex").toInt(), 2);
    key(Qt::Key_Home);
    EXPECT_EQ(gallery->property("currentIndex").toInt(), 0);
    press("Go to page", Qt::Key_unknown);
    key(Qt::Key_2);
    key(Qt::Key_Return);
    EXPECT_EQ(gallery->property("currentIndex").toInt(), 1);
    ASSERT_TRUE(hasKeyboard(gallery));
    key(Qt::Key_Return);
    arrive("ViewImageScreen");
    // Ctrl+plus zooms in about the middle, Ctrl+0 fits again.
    auto* zoom = j.find("zoomView");
    key(Qt::Key_Plus, Qt::ControlModifier);
    ASSERT_GT(zoom->property("zoom").toReal(), 1);
    EXPECT_GT(zoom->property("contentX").toReal(), 0);
    j.screenshot("viewer-zoomed");
    key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(zoom->property("zoom").toReal(), 1);
    key(Qt::Key_Backspace);
    arrive("ImagePreviewScreen");
}

TEST_F(AccessibilityJourney, CompressResizeAndExtractText)
{
    pick("Compress", {"photo1.jpg", "photo2.jpg"});
    arrive("CompressImageScreen");
    j.screenshot("compress-wide");
    press("Compress to", Qt::Key_Down); // Fit under 200 kb
    ASSERT_EQ(j.platform.navigator->top()->property("maxBytes").toLongLong(), 200000);
    press("Compress");
    arrive("CompressImagePreviewScreen", 30000);
    // Fitting under a size never makes a photo larger than its file was.
    const QString photos = j.platform.services.locations.photoLibrary;
    ASSERT_EQ(j.platform.history->count(), 2);
    EXPECT_LE(QFileInfo(j.platform.history->at(0).toLocalFile()).size(),
              QFileInfo(photos + "/photo2.jpg").size());
    EXPECT_LE(QFileInfo(j.platform.history->at(1).toLocalFile()).size(),
              QFileInfo(photos + "/photo1.jpg").size());
    press("Home");
    arrive("HomeScreen");
    pick("Resize", {"photo1.jpg"}, false);
    arrive("ResizeImageScreen");
    EXPECT_EQ(j.find("lblImageOriginalSize")->property("text").toString(), "900 X 1200");
    // What does not make a number is left out, and that is said beside the field.
    press("Enter Width", Qt::Key_unknown);
    for (const char c : QByteArray("4x50"))
        QTest::keyClick(j.window(), c);
    EXPECT_EQ(j.findNamed("Enter Width")->property("text").toString(), "450");
    EXPECT_EQ(j.findNamed("Enter Height")->property("text").toString(), "600");
    EXPECT_TRUE(j.find("lblWidthMessage")->isVisible());
    j.screenshot("app-resize");
    press("Resize");
    arrive("ResizeImagePreviewScreen", 30000);
    j.screenshot("resize");
    press("Home");
    arrive("HomeScreen");
    EXPECT_EQ(j.platform.history->at(0).fileName(), "1700000000.png");
    EXPECT_EQ(QImage(j.platform.history->at(0).toLocalFile()).size(), QSize(450, 600));
    j.platform.recognizer.answerLines({"Hello"});
    pick("Extract Text", {"photo0.jpg"}, false);
    arrive("AdjustScreen");
    press("Skip");
    arrive("ExtractTextScreen");
    press("Extract");
    arrive("TextScreen", 30000);
}

TEST_F(AccessibilityJourney, TheOverlayAndAnAlert)
{
    Job job(j.platform.services);
    auto control = job.begin(QStringLiteral("Converting..."));
    control->setTotal(10);
    control->advance(QStringLiteral("page 1"));
    ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("Cancel") != nullptr; }));
    expectAllNamed("overlay");
    job.cancel();
    job.end();

    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.overlay->visible(); }));
    j.platform.alerts.present({"Could not save", "The disk is full.", {{"OK", {}}}});
    ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("OK") != nullptr; }));
    expectAllNamed("alert");
    key(Qt::Key_Return);
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.alerts.showing(); }));
}
