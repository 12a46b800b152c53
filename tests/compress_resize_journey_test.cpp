#include "compress/CompressImagePreviewScreen.h"
#include "compress/CompressImageScreen.h"
#include "home/HomeScreen.h"
#include "resize/ResizeImageScreen.h"
#include "support/Fixtures.h"
#include "support/Journey.h"

#include <QFileInfo>
#include <QQuickItem>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// Photos on disk, as the picker hands them over: decoded on demand.
Image photoFile(Journey& j, const QString& name, QSize size, QColor tint)
{
    const QString path = j.platform.root.path() + "/" + name;
    EXPECT_TRUE(fixtures::writeJpeg(fixtures::photo(size.width(), size.height(), tint), path));
    return Image::fromFile(path);
}

// Visible items of that name under root, in the order the scene draws them.
QList<QQuickItem*> named(QQuickItem* root, const QString& objectName)
{
    QList<QQuickItem*> out;
    if (!root)
        return out;
    for (QQuickItem* child : root->childItems()) {
        if (!child->isVisible())
            continue;
        if (child->objectName() == objectName)
            out << child;
        out << named(child, objectName);
    }
    return out;
}

// The screen is on top and its page has finished sliding in, so taps land where they aim.
bool settled(Journey& j, const QString& name)
{
    auto* stack = j.window()->findChild<QQuickItem*>("stack");
    return j.waitForScreen(name) &&
           fixtures::waitFor([&] { return stack && !stack->property("busy").toBool(); });
}

HomeScreen* home(Journey& j)
{
    EXPECT_TRUE(settled(j, "HomeScreen"));
    return qobject_cast<HomeScreen*>(j.platform.navigator->top());
}
} // namespace

TEST(CompressJourney, TwoPhotosCompressedViewedAndListed)
{
    Journey j;
    HomeScreen* start = home(j);
    ASSERT_NE(start, nullptr);
    j.platform.app->setSelectedJob(1);
    auto* screen = new CompressImageScreen(j.platform.services);
    screen->setArrOfSelectedImages({photoFile(j, "a.jpg", {1600, 1200}, QColor(30, 120, 200)),
                                    photoFile(j, "b.jpg", {1200, 1600}, QColor(200, 90, 40))});
    j.platform.navigator->push(screen);
    ASSERT_TRUE(settled(j, "CompressImageScreen"));
    ASSERT_TRUE(fixtures::waitFor([&] {
        const QStringList labels = screen->sizeLabels();
        return labels.size() == 2 && !labels[0].isEmpty() && !labels[1].isEmpty();
    }));
    ASSERT_TRUE(fixtures::waitFor([&] { return named(j.currentPage(), "lblSize").size() == 2; }));
    EXPECT_EQ(named(j.currentPage(), "lblSize")[0]->property("text").toString().right(3), " kb");

    j.screenshot("compress-grid");

    j.tap(j.find("rightBarButton"));
    ASSERT_TRUE(settled(j, "CompressImagePreviewScreen"));
    EXPECT_FALSE(j.platform.overlay->visible());
    auto* preview = qobject_cast<CompressImagePreviewScreen*>(j.platform.navigator->top());
    ASSERT_EQ(preview->arrOfCompressImage().size(), 2);
    QList<QQuickItem*> cells;
    ASSERT_TRUE(fixtures::waitFor([&] {
        cells = named(j.currentPage(), "CollectionViewCellCompressPreview");
        return cells.size() == 2;
    }));
    const QStringList newSizes = preview->sizeLabels();
    QStringList shown;
    for (QQuickItem* label : named(j.currentPage(), "lblSize"))
        shown << label->property("text").toString();
    EXPECT_EQ(shown, newSizes);
    for (QQuickItem* picture : named(j.currentPage(), "ivImage"))
        EXPECT_TRUE(fixtures::waitFor([&] { return picture->property("status").toInt() == 1; }));
    j.screenshot("compress");

    // The viewer belongs to the image gallery; where it is there, the tap opens it.
    j.tap(cells[0]);
    EXPECT_TRUE(fixtures::waitFor([&] { return !preview->selectedImage().isNull(); }));
    EXPECT_EQ(preview->selectedImage(),
              preview->arrOfCompressImage()[0].toMap()["image"].value<Image>());
    if (j.platform.navigator->top() != preview) {
        ASSERT_TRUE(j.waitForScreen("ViewImageScreen"));
        j.platform.navigator->pop();
        ASSERT_TRUE(settled(j, "CompressImagePreviewScreen"));
    }

    j.tap(j.find("btnHome"));
    ASSERT_EQ(home(j), start);
    auto* list = j.find("tableviewRecent");
    ASSERT_TRUE(fixtures::waitFor([&] { return list->property("count").toInt() == 2; }));
    EXPECT_EQ(QFileInfo(j.platform.history->at(0).toLocalFile()).fileName(), "1700000001.jpg");
    EXPECT_EQ(QFileInfo(j.platform.history->at(1).toLocalFile()).fileName(), "1700000000.jpg");
}

TEST(ResizeJourney, TypedWidthGivesAResultAndANewFirstHistoryRow)
{
    Journey j;
    HomeScreen* start = home(j);
    ASSERT_NE(start, nullptr);
    j.platform.app->setSelectedJob(2);
    auto* screen = new ResizeImageScreen(j.platform.services);
    screen->setArrOfSelectedImages({photoFile(j, "c.jpg", {2400, 1800}, QColor(60, 150, 90))});
    j.platform.navigator->push(screen);
    ASSERT_TRUE(settled(j, "ResizeImageScreen"));
    EXPECT_EQ(j.find("lblImageOriginalSize")->property("text").toString(), "2400 X 1800");

    j.screenshot("resize-form");
    QQuickItem* width = j.find("tfImageWIdth");
    j.tap(width);
    ASSERT_TRUE(fixtures::waitFor([&] { return width->hasActiveFocus(); }));
    for (char key : QByteArray("12x00"))
        QTest::keyClick(j.window(), key);
    EXPECT_EQ(width->property("text").toString(), "1200");
    EXPECT_EQ(j.find("tfImageheight")->property("text").toString(), "900");
    EXPECT_TRUE(j.find("keyboardToolbar")->isVisible());
    j.tap(j.find("btnDone"));
    EXPECT_TRUE(fixtures::waitFor([&] { return !width->hasActiveFocus(); }));

    j.tap(j.find("rightBarButton"));
    ASSERT_TRUE(settled(j, "ResizeImagePreviewScreen"));
    QQuickItem* picture = j.find("ivImage");
    ASSERT_TRUE(fixtures::waitFor([&] { return picture->property("status").toInt() == 1; }));
    EXPECT_EQ(j.find("lblSize")->property("text").toString(), "1200 X 900");
    j.screenshot("resize");

    j.tap(j.find("btnHome"));
    ASSERT_EQ(home(j), start);
    auto* list = j.find("tableviewRecent");
    ASSERT_TRUE(fixtures::waitFor([&] { return list->property("count").toInt() == 1; }));
    EXPECT_EQ(QFileInfo(j.platform.history->at(0).toLocalFile()).fileName(), "1700000000.png");
}
