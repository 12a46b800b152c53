#include "picker/SelectImageScreen.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "platform/testing/PhotoFixtures.h"
#include "support/Fixtures.h"
#include "support/Journey.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QThreadPool>

#include <gtest/gtest.h>

// Stands in for the images-to-PDF screen: keeps the photos it was handed.
class PdfJobProbe : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QList<Image> arrOfSelectedImages MEMBER arrOfSelectedImages)
  public:
    using Screen::Screen;
    QList<Image> arrOfSelectedImages;
};

namespace {
// Waits until the stack has finished sliding the page in, so taps land where they should.
bool settled(const Journey& j)
{
    auto* stack = j.window()->findChild<QQuickItem*>(QStringLiteral("stack"));
    return fixtures::waitFor([&] { return stack && !stack->property("busy").toBool(); });
}

QQuickItem* named(QQuickItem* item, const QString& name)
{
    if (!item || item->objectName() == name)
        return item;
    for (QQuickItem* child : item->childItems())
        if (QQuickItem* found = named(child, name))
            return found;
    return nullptr;
}

QQuickItem* cell(const Journey& j, int index)
{
    auto* grid = j.find("collectionviewImages");
    if (!grid)
        return nullptr;
    // Delegates hang off the grid's content item visually, not as QObject children.
    auto* content = qvariant_cast<QQuickItem*>(grid->property("contentItem"));
    for (QQuickItem* item : content ? content->childItems() : QList<QQuickItem*>())
        if (item->objectName() == "CollectionViewCellImages" &&
            item->property("index").toInt() == index && item->isVisible())
            return item;
    return nullptr;
}
} // namespace

TEST(PickerJourney, HomeToPickerTickTwoDoneHandsThemOverInTickOrder)
{
    Journey j;
    const QString root = j.platform.services.locations.photoLibrary;
    const QColor tints[] = {QColor(230, 120, 40), QColor(40, 150, 90),  QColor(60, 90, 200),
                            QColor(180, 60, 160), QColor(200, 180, 40), QColor(40, 170, 190)};
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(photofixtures::writePhoto(
            root + QStringLiteral("/photo%1.jpg").arg(i),
            photofixtures::picture(i % 2 ? 900 : 1200, i % 2 ? 1200 : 900, tints[i]),
            QDateTime::fromSecsSinceEpoch(1700000000 - i * 3600)));
    FolderPhotoLibrary library(root, *j.platform.services.dispatcher);
    j.platform.services.photos = &library;
    j.platform.navigator->registerScreen("ImageToPDFScreen",
                                         [](Services& s) { return new PdfJobProbe(s); });
    QSignalSpy transitions(j.platform.navigator.get(), &Navigator::transitionPerformed);

    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    ASSERT_TRUE(settled(j));
    j.tap(j.find("btnImageToPDF"));
    ASSERT_TRUE(j.waitForScreen("SelectImageScreen"));
    ASSERT_TRUE(settled(j));
    auto* picker = qobject_cast<SelectImageScreen*>(j.platform.navigator->top());
    ASSERT_TRUE(fixtures::waitFor([&] { return cell(j, 3) != nullptr; }));
    transitions.clear();
    auto* done = j.find("rightBarButton");
    ASSERT_NE(done, nullptr);
    EXPECT_FALSE(done->isEnabled());

    j.tap(cell(j, 2));
    j.tap(cell(j, 0));
    ASSERT_TRUE(fixtures::waitFor([&] { return done->isEnabled(); }));
    EXPECT_EQ(picker->selectedCount(), 2);
    EXPECT_TRUE(cell(j, 2)->property("ticked").toBool());
    EXPECT_FALSE(cell(j, 1)->property("ticked").toBool());
    // Every visible thumbnail has been decoded.
    ASSERT_TRUE(fixtures::waitFor([&] {
        for (int i = 0; i < 4; ++i) {
            auto* image = named(cell(j, i), "ivImage");
            if (!image || image->property("status").toInt() != 1)
                return false;
        }
        return true;
    }));
    j.screenshot("picker");

    j.tap(done);
    ASSERT_TRUE(fixtures::waitFor([&] { return transitions.size() == 1; }));
    EXPECT_EQ(transitions[0][0].toString(), "segue_ImageToPDF");
    auto* probe = qobject_cast<PdfJobProbe*>(transitions[0][1].value<Screen*>());
    ASSERT_NE(probe, nullptr);
    ASSERT_EQ(probe->arrOfSelectedImages.size(), 2);
    EXPECT_EQ(QFileInfo(probe->arrOfSelectedImages[0].sourcePath()).fileName(), "photo2.jpg");
    EXPECT_EQ(QFileInfo(probe->arrOfSelectedImages[1].sourcePath()).fileName(), "photo0.jpg");
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.overlay->visible(); }));
    QThreadPool::globalInstance()->waitForDone();
}

#include "picker_journey_test.moc"
