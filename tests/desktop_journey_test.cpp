// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/PhotoFixtures.h"
#include "ui/Navigator.h"
#include "ui/Screen.h"

#include <QAccessible>
#include <QQuickWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// The real window over a folder of photos, at a given size and colour scheme.
struct DesktopWindow
{
    explicit DesktopWindow(QSize size, const char* colours = "light")
        : scheme("QUIRE_COLOR_SCHEME", colours), j(std::make_unique<Journey>())
    {
        j->usePhotoFolder();
        const QColor tints[] = {QColor(230, 120, 40), QColor(40, 150, 90), QColor(60, 90, 200)};
        // The newest is a photo of paper, which the Adjust step finds the page in.
        const QPolygonF page({{420, 90}, {830, 130}, {800, 820}, {390, 780}});
        for (int i = 0; i < 8; ++i)
            j->addPhoto(i, i == 0 ? photofixtures::paperOnTable(QSize(1200, 900), page)
                                  : photofixtures::picture(i % 2 ? 900 : 1200, i % 2 ? 1200 : 900,
                                                           tints[i % 3]));
        j->window()->resize(size);
        j->window()->show(); // given the focus, as a window the user has just opened
        j->window()->requestActivate();
    }
    void openPicker(const QString& job = QStringLiteral("Images to PDF"))
    {
        ASSERT_TRUE(j->waitForScreen("HomeScreen"));
        j->tap(j->findNamed(job));
        ASSERT_TRUE(j->waitForScreen("SelectImageScreen"));
        auto* grid = j->find("collectionviewImages");
        ASSERT_NE(grid, nullptr);
        ASSERT_TRUE(fixtures::waitFor([&] { return grid->property("count").toInt() == 8; }));
    }
    fixtures::ScopedEnv scheme;
    std::unique_ptr<Journey> j;
};

// Every photo of a grid drawn from a picture decoded near the size it is shown at: no larger
// than twice (a full-size decode of each would be slow) and no smaller (it would look blocky).
void expectDecodedAtShownSize(QQuickItem* grid)
{
    int seen = 0;
    for (QQuickItem* image : Journey::itemsBelow(grid, QStringLiteral("ivImage"))) {
        if (!image->isVisible() || image->property("status").toInt() != 1) // Image.Ready
            continue;
        const qreal shown = std::max(image->width(), image->height());
        const qreal decoded = std::max(image->implicitWidth(), image->implicitHeight());
        EXPECT_GE(decoded + 1, std::min(shown, 1200.0));
        EXPECT_LE(decoded, 2 * shown + 2);
        ++seen;
    }
    EXPECT_EQ(seen, 8);
}
} // namespace

TEST(DesktopJourney, WideWindowAddsColumnsOfPhotosDecodedAtTheirSizeAndWorksFromTheKeyboard)
{
    DesktopWindow w(QSize(1280, 800));
    Journey& j = *w.j;
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    const qreal firstRow = j.findNamed("Images to PDF")->y();
    EXPECT_EQ(j.findNamed("Extract Text")->y(), firstRow); // all five in one row
    w.openPicker();
    auto* grid = j.find("collectionviewImages");
    EXPECT_EQ(int(grid->width() / grid->property("cellWidth").toReal()), 6);

    // Arrows walk the grid, Space ticks; a screen reader hears each cell as a checkable photo.
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(j.findNamed("photo1.jpg"));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->role(), QAccessible::CheckBox);
    EXPECT_FALSE(cell->state().checked);
    ASSERT_TRUE(fixtures::waitFor([&] { return grid->hasActiveFocus(); }));
    QTest::keyClick(j.window(), Qt::Key_Right);
    QTest::keyClick(j.window(), Qt::Key_Space);
    Screen* picker = j.platform.navigator->top();
    ASSERT_TRUE(fixtures::waitFor([&] { return picker->property("selectedCount").toInt() == 1; }));
    QTest::keyClick(j.window(), Qt::Key_Escape);
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));

    const auto pickAll = [&](const QString& job, const QString& screen) {
        w.openPicker(job);
        Screen* picker = j.platform.navigator->top();
        for (int i = 0; i < 8; ++i)
            QMetaObject::invokeMethod(picker, "didSelectItem", Q_ARG(int, i));
        QMetaObject::invokeMethod(picker, "btnDone");
        if (screen == QLatin1String("ImageToPDFScreen")) { // past the Adjust step, as picked
            ASSERT_TRUE(j.waitForScreen("AdjustScreen"));
            QMetaObject::invokeMethod(j.platform.navigator->top(), "btnSkip");
        }
        ASSERT_TRUE(j.waitForScreen(screen));
        ASSERT_TRUE(j.waitForSettled());
    };
    pickAll("Images to PDF", "ImageToPDFScreen");
    auto* pages = j.find("collectionviewImagePDFPreview");
    EXPECT_GE(int(pages->width() / pages->property("cellWidth").toReal()), 6);
    expectDecodedAtShownSize(pages);
    // Each page's order controls are in sight above the options, which keep a readable width.
    const qreal optionsTop = j.find("paperSize")->mapToScene({0, 0}).y();
    for (QQuickItem* later : Journey::itemsBelow(pages, QStringLiteral("btnMoveLater")))
        EXPECT_LE(later->mapToScene({0, later->height()}).y(), optionsTop);
    const qreal paperRight = j.find("paperSize")->mapToScene({j.find("paperSize")->width(), 0}).x();
    EXPECT_LE(paperRight, (1280 + 640) / 2 + 1);
    j.screenshot("images-to-pdf-desktop");
    j.platform.navigator->goHome();

    pickAll("Compress", "CompressImageScreen");
    auto* photos = j.find("collectionviewCompressImage");
    EXPECT_GE(int(photos->width() / photos->property("cellWidth").toReal()), 6);
    expectDecodedAtShownSize(photos);
    EXPECT_LE(j.find("targetMode")->width(), 640);
    j.screenshot("compress-desktop");

    // A result opened from History zooms in from the keyboard.
    QMetaObject::invokeMethod(j.platform.navigator->top(), "btnCompress");
    ASSERT_TRUE(j.waitForScreen("CompressImagePreviewScreen", 30000));
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.overlay->visible(); }));
    j.platform.navigator->goHome();
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    QMetaObject::invokeMethod(j.platform.navigator->top(), "didSelectRow", Q_ARG(int, 0));
    ASSERT_TRUE(j.waitForScreen("ViewImageScreen"));
    auto* zoom = j.find("zoomView");
    ASSERT_NE(zoom, nullptr);
    QTest::keyClick(j.window(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(zoom->property("zoom").toReal(), 1.5);
    QTest::keyClick(j.window(), Qt::Key_0, Qt::ControlModifier);
    // A double click goes in where it points: here the photo's corner.
    ASSERT_TRUE(j.waitForSettled());
    QTest::mouseDClick(j.window(), Qt::LeftButton, Qt::NoModifier, QPoint(250, 120));
    EXPECT_EQ(zoom->property("zoom").toReal(), 2.5);
    j.screenshot("viewer-zoomed-desktop");
}

TEST(DesktopJourney, DarkSchemeFollowsTheDesktopAtPhoneAndDesktopSizes)
{
    for (const char* scheme : {"light", "dark"}) {
        for (const QSize size : {QSize(390, 844), QSize(1280, 800)}) {
            DesktopWindow w(size, scheme);
            Journey& j = *w.j;
            const QString suffix = QStringLiteral("-%1-%2").arg(
                size.width() > 500 ? "desktop" : "phone", QString::fromLatin1(scheme));
            ASSERT_TRUE(j.waitForScreen("HomeScreen"));
            EXPECT_EQ(j.window()->color().lightness() < 128, qstrcmp(scheme, "dark") == 0);
            j.screenshot("home" + suffix);
            w.openPicker();
            auto* picker = j.platform.navigator->top();
            QMetaObject::invokeMethod(picker, "didSelectItem", Q_ARG(int, 0));
            QMetaObject::invokeMethod(picker, "didSelectItem", Q_ARG(int, 1));
            j.screenshot("picker" + suffix);
            QMetaObject::invokeMethod(picker, "btnDone");
            ASSERT_TRUE(j.waitForScreen("AdjustScreen"));
            Screen* adjust = j.platform.navigator->top();
            ASSERT_TRUE(fixtures::waitFor([&] {
                return j.waitForSettled() && !adjust->property("previewing").toBool() &&
                       !adjust->property("previewUrl").toUrl().isEmpty();
            }));
            j.screenshot("adjust" + suffix);
            QMetaObject::invokeMethod(adjust, "btnSkip");
            ASSERT_TRUE(j.waitForScreen("ImageToPDFScreen"));
            QMetaObject::invokeMethod(j.platform.navigator->top(), "btnConvert");
            ASSERT_TRUE(j.waitForScreen("PDFPreviewScreen", 30000));
            ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.overlay->visible(); }));
            j.screenshot("result" + suffix);
        }
    }
}
