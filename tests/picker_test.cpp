// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "picker/SelectImageScreen.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "support/PhotoFixtures.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/stat.h>

using photofixtures::picture;
using photofixtures::writePhoto;

namespace {
// A picker over a folder of generated photos named by letter, "a" the newest.
struct Picker
{
    explicit Picker(int job, const QStringList& photos = {"a", "b", "c", "d"})
        : library(p.services.locations.photoLibrary, p.queues)
    {
        p.services.photos = &library;
        for (int i = 0; i < photos.size(); ++i)
            writePhoto(path(photos[i]), picture(160, 120),
                       QDateTime::fromSecsSinceEpoch(1700000000 - i * 60));
        auto* home = new HomeScreen(p.services);
        p.navigator->setRoot(home);
        void (HomeScreen::*const start[])() = {
            &HomeScreen::btnImageToPDF, &HomeScreen::btnCompressImage, &HomeScreen::btnResizeImage,
            &HomeScreen::btnExtractText};
        (home->*start[job])();
        screen = qobject_cast<SelectImageScreen*>(p.navigator->top());
        p.drain();
    }
    QString path(const QString& name) const
    {
        return p.services.locations.photoLibrary + "/" + name + ".jpg";
    }
    int row(const QString& name) const
    {
        for (size_t i = 0; i < screen->arrOfImage().size(); ++i)
            if (screen->arrOfImage()[i].path == path(name))
                return int(i);
        return -1;
    }
    void tap(const QString& name) const { screen->didSelectItem(row(name)); }
    bool ticked(const QString& name) const
    {
        auto* grid = screen->collectionviewImages();
        return grid->data(grid->index(row(name)), PhotoGridModel::TickedRole).toBool();
    }
    QStringList handedOver() const
    {
        // A job screen, or the Adjust step before it.
        QStringList out;
        const auto photos =
            p.navigator->top()->property("arrOfSelectedImages").value<QList<Image>>();
        for (const Image& image : photos)
            out << QFileInfo(image.sourcePath()).baseName();
        return out;
    }

    TestPlatform p;
    FolderPhotoLibrary library;
    SelectImageScreen* screen = nullptr;
};
} // namespace

TEST(SelectImageScreen, ShowsTheLibraryNewestFirstAndDoneHandsTheTickedPhotosOverInTickOrder)
{
    Picker t(0);
    ASSERT_NE(t.screen, nullptr);
    ASSERT_EQ(t.screen->arrOfImage().size(), 4u);
    EXPECT_EQ(t.row("a"), 0);
    EXPECT_EQ(t.row("d"), 3);
    EXPECT_TRUE(t.screen->lblMsgHidden());
    EXPECT_FALSE(t.screen->loading());
    EXPECT_FALSE(t.screen->doneEnabled());
    EXPECT_TRUE(t.screen->doneVisible());
    auto* grid = t.screen->collectionviewImages();
    EXPECT_TRUE(grid->data(grid->index(0), PhotoGridModel::ShowsTickRole).toBool());

    QSignalSpy changed(t.screen->collectionviewImages(), &QAbstractItemModel::dataChanged);
    t.tap("a");
    t.tap("b");
    t.tap("c");
    t.tap("b");
    EXPECT_FALSE(t.ticked("b"));
    t.tap("b");
    EXPECT_TRUE(t.ticked("b"));
    EXPECT_FALSE(t.ticked("d"));
    EXPECT_EQ(changed.size(), 5); // one item redrawn per tap
    EXPECT_TRUE(t.screen->doneEnabled());

    QSignalSpy transitions(t.p.navigator.get(), &Navigator::transitionPerformed);
    t.screen->btnDone();
    EXPECT_EQ(t.p.overlay->state(), ProgressOverlay::Busy);
    t.p.drain();
    EXPECT_FALSE(t.p.overlay->visible());
    ASSERT_EQ(transitions.size(), 1);
    EXPECT_EQ(transitions[0][0].toString(), "segue_adjust");
    EXPECT_EQ(t.handedOver(), QStringList({"a", "c", "b"}));
    // Handles to the files: nothing is decoded yet.
    for (const Image& image : t.screen->arrOfSelectedImages())
        EXPECT_TRUE(image.hasSource());

    // Coming back keeps the ticks.
    t.p.navigator->pop();
    EXPECT_EQ(t.screen->selectedCount(), 3);
    EXPECT_TRUE(t.screen->doneEnabled());
}

// Compress ticks several photos and moves on with Done, which only a tick enables; the one-photo
// jobs show no ticks and no Done and move on with one tap. Each goes on with its own segue.
TEST(SelectImageScreen, EachJobMovesOnWithItsSegueAfterDoneOrOneTap)
{
    const std::pair<int, const char*> jobs[] = {
        {1, "segue_compressImage"}, {2, "segue_resizeImage"}, {3, "segue_adjust"}};
    for (const auto& [job, segue] : jobs) {
        const bool several = job == 1;
        Picker t(job);
        auto* grid = t.screen->collectionviewImages();
        EXPECT_EQ(grid->data(grid->index(0), PhotoGridModel::ShowsTickRole).toBool(), several);
        EXPECT_EQ(t.screen->doneVisible(), several);
        EXPECT_FALSE(t.screen->doneEnabled());
        if (several) {
            t.tap("c");
            EXPECT_TRUE(t.screen->doneEnabled());
            t.tap("c");
            EXPECT_FALSE(t.screen->doneEnabled());
            t.screen->btnDone(); // nothing ticked: nothing happens
            t.p.drain();
            EXPECT_EQ(t.p.navigator->top(), t.screen);
        }
        QSignalSpy transitions(t.p.navigator.get(), &Navigator::transitionPerformed);
        t.tap("b");
        EXPECT_EQ(t.ticked("b"), several);
        if (several)
            t.screen->btnDone();
        t.p.drain();
        ASSERT_EQ(transitions.size(), 1);
        EXPECT_EQ(transitions[0][0].toString(), segue);
        EXPECT_EQ(t.handedOver(), QStringList({"b"}));
    }
}

TEST(SelectImageScreen, UnreadablePhotosAreSkippedAndCountedAndNoneLeftStops)
{
    Picker t(0);
    QFile::resize(t.path("b"), 700); // cut off
    QFile::remove(t.path("d"));      // gone since the listing
    t.tap("a");
    t.tap("b");
    t.tap("c");
    t.tap("d");
    t.screen->btnDone();
    t.p.drain();
    ASSERT_EQ(t.p.alerts.presented().size(), 1u);
    EXPECT_EQ(t.p.alerts.presented()[0].message, "2 of 4 chosen photos could not be read.");
    EXPECT_EQ(t.handedOver(), QStringList({"a", "c"}));

    t.p.navigator->pop();
    t.tap("a");
    t.tap("c");
    t.screen->btnDone();
    t.p.drain();
    EXPECT_EQ(t.p.alerts.presented().back().message, "2 of 2 chosen photos could not be read.");
    EXPECT_EQ(t.p.navigator->top(), t.screen);
    EXPECT_FALSE(t.p.overlay->visible());
}

TEST(SelectImageScreen, APipeAndALinkToOneAreLeftOutWithoutBlocking)
{
    Picker t(0, {"a"});
    // Opening either for its EXIF block would wait for a writer forever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(t.path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(t.path("pipe"), t.path("link")));
    t.screen->btnBack();
    qobject_cast<HomeScreen*>(t.p.navigator->top())->btnImageToPDF();
    t.screen = qobject_cast<SelectImageScreen*>(t.p.navigator->top());
    t.p.drain();
    ASSERT_EQ(t.screen->arrOfImage().size(), 1u);
    EXPECT_EQ(t.row("a"), 0);
    EXPECT_FALSE(t.screen->loading());
}

TEST(SelectImageScreen, DeniedLibraryGivesThePermissionAlertWhoseSettingOpensTheFolder)
{
    TestPlatform p;
    p.photos.status = PhotoLibrary::Status::Denied;
    auto* home = new HomeScreen(p.services);
    p.navigator->setRoot(home);
    home->btnImageToPDF();
    auto* screen = qobject_cast<SelectImageScreen*>(p.navigator->top());
    p.drain();
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    const Alert& alert = p.alerts.presented()[0];
    EXPECT_EQ(alert.title, "Can not access Photos!");
    EXPECT_EQ(alert.message, "You have not given permission for access Photos. \nGoto settings "
                             "and give permission to access Photos.");
    EXPECT_EQ(p.alerts.buttons(), QStringList({"Cancel", "Setting"}));
    EXPECT_TRUE(screen->arrOfImage().empty());
    EXPECT_FALSE(screen->loading());
    p.alerts.respond(1);
    ASSERT_EQ(p.urls.opened.size(), 1u);
    EXPECT_EQ(p.urls.opened[0], p.photos.settingsUrl());
}

TEST(SelectImageScreen, EmptyLibraryShowsTheMessageAndBackReturnsHome)
{
    Picker t(0, {});
    EXPECT_TRUE(t.screen->arrOfImage().empty());
    EXPECT_FALSE(t.screen->lblMsgHidden());
    EXPECT_TRUE(t.p.alerts.presented().empty());
    t.screen->btnBack();
    EXPECT_EQ(t.p.navigator->top()->screenName(), "HomeScreen");
}
