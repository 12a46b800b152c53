// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/FolderPhotoLibrary.h"
#include "support/PhotoFixtures.h"
#include "support/TestPlatform.h"
#include "ui/SaveFlow.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

#include <gtest/gtest.h>

using photofixtures::picture;

namespace {
std::vector<Image> threeImages()
{
    return {Image::fromQImage(picture(30, 20, Qt::red)),
            Image::fromQImage(picture(30, 20, Qt::green)),
            Image::fromQImage(picture(30, 20, Qt::blue))};
}
} // namespace

TEST(SaveFlow, SavesInOrderOneAtATimeThenOneSuccessAlertAndOneImageWithoutOverlay)
{
    TestPlatform p;
    QObject screen;
    std::vector<int> indexes;
    const auto images = threeImages();
    SaveFlow::saveAll(p.services, &screen, images, [&](int i) { indexes.push_back(i); });
    // Nothing is waited for on the caller's thread; the run goes on from the GUI thread's queue.
    EXPECT_TRUE(p.alerts.presented().empty());
    p.drain();
    ASSERT_EQ(p.photos.saved.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(p.photos.saved[i], images[i]);
    EXPECT_EQ(indexes, std::vector<int>({0, 1, 2, 3}));
    EXPECT_FALSE(p.overlay->visible());
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(p.alerts.presented()[0].title, "Success");
    EXPECT_EQ(p.alerts.presented()[0].message, "Images Successfully Saved To Photo Library.");
    EXPECT_EQ(p.alerts.buttons(), QStringList({"OK"}));

    // One image saves without the overlay; its alert follows the completion.
    SaveFlow::saveOne(p.services, nullptr, images[0]);
    EXPECT_FALSE(p.overlay->visible());
    EXPECT_EQ(p.alerts.presented().size(), 1u);
    p.drain();
    EXPECT_EQ(p.photos.saved.size(), 4u);
    ASSERT_EQ(p.alerts.presented().size(), 2u);
    EXPECT_EQ(p.alerts.presented()[1].title, "Success");
}

// An empty list still shows Saving... and then the alert; a failed save is counted in it.
TEST(SaveFlow, EmptyListShowsSavingThenTheAlertAndFailedSavesAreCountedInsteadOfSuccess)
{
    TestPlatform p;
    QStringList seen;
    QObject::connect(p.overlay.get(), &ProgressOverlay::changed, [&] {
        const QString now = p.overlay->visible() ? p.overlay->status() : "hidden";
        if (seen.isEmpty() || seen.last() != now)
            seen << now;
    });
    SaveFlow::saveAll(p.services, nullptr, {}, {});
    p.drain();
    EXPECT_EQ(seen, QStringList({"Saving...", "hidden"}));
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(p.alerts.presented()[0].title, "Success");

    p.photos.failSaveNumber = 1;
    SaveFlow::saveAll(p.services, nullptr, threeImages(), {});
    p.drain();
    EXPECT_EQ(p.photos.saved.size(), 2u); // the run goes on after a failure
    ASSERT_EQ(p.alerts.presented().size(), 2u);
    EXPECT_NE(p.alerts.presented()[1].title, "Success");
    EXPECT_EQ(p.alerts.presented()[1].message,
              "1 of 3 images could not be saved to Photo Library.\ndisk full");
}

TEST(SaveFlow, ReadOnlyLibraryFolderGivesTheFailureAlert)
{
    TestPlatform p;
    // A folder nobody can write into: a read-only one, or, for root, one under a plain file.
    QString folder = p.services.locations.photoLibrary;
    if (geteuid() == 0) {
        QFile blocker(p.root.path() + "/blocker");
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        folder = blocker.fileName() + "/Pictures";
    } else {
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    FolderPhotoLibrary library(folder, p.queues);
    p.services.photos = &library;
    SaveFlow::saveAll(p.services, nullptr, threeImages(), {});
    p.drain();
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(p.alerts.presented()[0].title, "Could Not Save");
    EXPECT_TRUE(p.alerts.presented()[0].message.startsWith(
        "3 of 3 images could not be saved to Photo Library."));

    SaveFlow::saveOne(p.services, nullptr, threeImages()[0]);
    p.drain();
    ASSERT_EQ(p.alerts.presented().size(), 2u);
    EXPECT_TRUE(p.alerts.presented()[1].message.startsWith("1 of 1 images"));
}

TEST(SaveFlow, DeniedAccessSavesNothingAndShowsThePermissionAlert)
{
    for (auto status : {PhotoLibrary::Status::Denied, PhotoLibrary::Status::Restricted}) {
        TestPlatform p;
        p.photos.status = status;
        SaveFlow::saveAll(p.services, nullptr, threeImages(), {});
        SaveFlow::saveOne(p.services, nullptr, threeImages()[0]);
        p.drain();
        EXPECT_EQ(p.photos.saveAttempts, 0);
        EXPECT_FALSE(p.overlay->visible());
        ASSERT_EQ(p.alerts.presented().size(), 2u);
        EXPECT_EQ(p.alerts.presented()[0].title, "Can not access Photos!");
        EXPECT_EQ(p.alerts.buttons(), QStringList({"Cancel", "Setting"}));
    }
    TestPlatform p;
    p.photos.status = PhotoLibrary::Status::Limited; // neither: nothing happens
    SaveFlow::saveAll(p.services, nullptr, threeImages(), {});
    p.drain();
    EXPECT_TRUE(p.alerts.presented().empty());
    EXPECT_EQ(p.photos.saveAttempts, 0);
}
