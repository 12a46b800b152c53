// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/Thumbnails.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "support/Fixtures.h"
#include "support/PhotoFixtures.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <unistd.h>

#include <gtest/gtest.h>

using photofixtures::picture;
using photofixtures::writePhoto;
using Status = PhotoLibrary::Status;

namespace {
QDateTime at(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
}

QStringList names(const std::vector<PhotoAsset>& assets, const QString& root)
{
    QStringList out;
    for (const PhotoAsset& a : assets)
        out << QDir(root).relativeFilePath(a.path);
    return out;
}

Status statusOf(FolderPhotoLibrary& library)
{
    Status got = Status::NotDetermined;
    library.requestAuthorization([&](Status s) { got = s; });
    return got;
}
} // namespace

TEST(FolderPhotoLibrary, ListsEveryPhotoNewestFirstByCaptureTimeElseModificationTime)
{
    TestPlatform p;
    const QString root = p.services.locations.photoLibrary;
    FolderPhotoLibrary library(root, p.queues);
    // Capture times that disagree with the files' modification times.
    ASSERT_TRUE(writePhoto(root + "/old-shot.jpg", picture(64, 48), at("2020-01-01T10:00:00")));
    ASSERT_TRUE(
        writePhoto(root + "/trip/new-shot.jpg", picture(64, 48), at("2024-06-01T09:00:00")));
    ASSERT_TRUE(photofixtures::touch(root + "/old-shot.jpg", at("2025-01-01T00:00:00")));
    ASSERT_TRUE(picture(40, 30).save(root + "/trip/screen.png"));
    ASSERT_TRUE(photofixtures::touch(root + "/trip/screen.png", at("2022-03-01T00:00:00")));
    ASSERT_TRUE(picture(40, 30).save(root + "/scan.webp"));
    ASSERT_TRUE(photofixtures::touch(root + "/scan.webp", at("2018-03-01T00:00:00")));
    // Not photos, or hidden: left out.
    ASSERT_TRUE(writePhoto(root + "/.thumbnails/cache.jpg", picture(8, 8)));
    ASSERT_TRUE(picture(8, 8).save(root + "/.hidden.png"));
    ASSERT_TRUE(fixtures::writeFile(root + "/notes.txt", "hello"));
    ASSERT_TRUE(fixtures::writeFile(root + "/document.pdf", "%PDF-1.4\n"));

    EXPECT_EQ(statusOf(library), Status::Authorized);
    const auto assets = library.fetchAssets();
    EXPECT_EQ(names(assets, root),
              QStringList({"trip/new-shot.jpg", "trip/screen.png", "old-shot.jpg", "scan.webp"}));
    EXPECT_EQ(assets[0].created, at("2024-06-01T09:00:00"));
}

TEST(FolderPhotoLibrary, SidewaysPortraitComesOutUprightAtFullSizeAndAsThumbnail)
{
    TestPlatform p;
    const QString root = p.services.locations.photoLibrary;
    FolderPhotoLibrary library(root, p.queues);
    // Stored 400 × 300, marked "turn 90° clockwise": a 300 × 400 portrait, red corner top-left.
    const QImage stored = picture(300, 400).transformed(QTransform().rotate(-90));
    ASSERT_TRUE(writePhoto(root + "/portrait.jpg", stored, at("2024-01-01T00:00:00"), 6));
    const auto assets = library.fetchAssets();
    ASSERT_EQ(assets.size(), 1u);

    const Image full = library.requestImage(assets[0], QSize());
    ASSERT_FALSE(full.isNull());
    EXPECT_TRUE(full.hasSource()); // a handle, not a decoded bitmap
    EXPECT_EQ(full.pixelSize(), QSize(300, 400));
    EXPECT_TRUE(fixtures::cornerIsRed(full.toQImage()));

    const Image fitted = library.requestImage(assets[0], QSize(300, 300));
    EXPECT_EQ(fitted.pixelSize(), QSize(225, 300));
    const QImage thumb = Thumbnails::image(assets[0].path, QSize(150, 150));
    EXPECT_EQ(thumb.size(), QSize(150, 200)); // covers the square cell
    EXPECT_TRUE(fixtures::cornerIsRed(thumb));
}

TEST(FolderPhotoLibrary, CutOffOrBrokenPhotosDoNotLoad)
{
    TestPlatform p;
    const QString root = p.services.locations.photoLibrary;
    FolderPhotoLibrary library(root, p.queues);
    ASSERT_TRUE(writePhoto(root + "/whole.jpg", picture(640, 480)));
    const QByteArray bytes = fixtures::readFile(root + "/whole.jpg");
    ASSERT_TRUE(fixtures::writeFile(root + "/cut.jpg", bytes.left(bytes.size() * 2 / 3)));
    // A whole JPEG followed by something else (a motion photo's video) is still whole.
    ASSERT_TRUE(fixtures::writeFile(root + "/motion.jpg", bytes + QByteArray(5000, '\x42')));
    ASSERT_TRUE(fixtures::writeFile(root + "/junk.png", "not a picture at all"));

    EXPECT_FALSE(library.requestImage({root + "/whole.jpg", {}}, QSize()).isNull());
    EXPECT_FALSE(library.requestImage({root + "/motion.jpg", {}}, QSize()).isNull());
    EXPECT_TRUE(library.requestImage({root + "/cut.jpg", {}}, QSize()).isNull());
    EXPECT_TRUE(library.requestImage({root + "/junk.png", {}}, QSize()).isNull());
    EXPECT_TRUE(library.requestImage({root + "/gone.jpg", {}}, QSize()).isNull());
}

TEST(FolderPhotoLibrary, MissingFolderIsAnEmptyLibraryMadeOnTheFirstSave)
{
    TestPlatform p;
    const QString root = p.services.locations.photoLibrary + "/not/yet";
    FolderPhotoLibrary library(root, p.queues);
    EXPECT_EQ(statusOf(library), Status::Authorized);
    EXPECT_TRUE(library.fetchAssets().empty());

    // A JPEG keeps its bytes; pixels become PNG; nothing is written over.
    const QString source = p.root.path() + "/source.jpg";
    ASSERT_TRUE(writePhoto(source, picture(64, 48)));
    QString error = "unset";
    library.save(Image::fromFile(source), [&](const QString& e) { error = e; });
    EXPECT_EQ(error, "");
    library.save(Image::fromQImage(picture(32, 32)), [&](const QString& e) { error = e; });
    EXPECT_EQ(error, "");
    library.save(Image::fromQImage(picture(32, 32)), [&](const QString& e) { error = e; });
    EXPECT_EQ(error, "");

    const QStringList files = QDir(root).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(files.filter(".png").size(), 2);
    const QString jpeg = files.filter(".jpg").value(0);
    EXPECT_EQ(fixtures::readFile(root + "/" + jpeg), fixtures::readFile(source));
    EXPECT_EQ(library.fetchAssets().size(), 3u);
    EXPECT_EQ(library.settingsUrl(), QUrl::fromLocalFile(root));
}

TEST(FolderPhotoLibrary, FolderThatCannotBeReadIsDenied)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    TestPlatform p;
    const QString root = p.services.locations.photoLibrary;
    ASSERT_TRUE(QDir().mkpath(root));
    QFile::setPermissions(root, QFileDevice::WriteOwner);
    FolderPhotoLibrary library(root, p.queues);
    EXPECT_EQ(statusOf(library), Status::Denied);
    QFile::setPermissions(root,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
