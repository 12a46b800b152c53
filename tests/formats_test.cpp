// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/Image.h"
#include "image/PngEncoder.h"
#include "image/Thumbnails.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "support/Fixtures.h"
#include "support/PhotoFixtures.h"
#include "support/PhotoFormats.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

using photofixtures::picture;

TEST(PhotoFormats, HeicTiffAndWebpAreOfferedAndReadUprightInFullAndAsThumbnails)
{
    TestPlatform p;
    const QString root = p.services.locations.photoLibrary;
    const QStringList paths = photofixtures::writeSidewaysInEachFormat(root, picture(300, 400));
    ASSERT_EQ(paths.size(), 3);
    FolderPhotoLibrary library(root, p.queues);
    QStringList names;
    for (const PhotoAsset& a : library.fetchAssets())
        names << QFileInfo(a.path).fileName();
    names.sort();
    EXPECT_EQ(names, QStringList({"phone.heic", "scan.tif", "web.webp"}));
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        const Image photo = Image::fromFile(path);
        ASSERT_FALSE(photo.isNull());
        EXPECT_EQ(photo.pixelSize(), QSize(300, 400));
        const QImage full = photo.toQImage();
        EXPECT_EQ(full.size(), QSize(300, 400));
        EXPECT_TRUE(fixtures::cornerIsRed(full));
        EXPECT_EQ(photo.toQImage(QSize(150, 150)).size(), QSize(112, 150));
        const QImage thumb = Thumbnails::image(path, QSize(150, 150));
        EXPECT_EQ(thumb.size(), QSize(150, 200));
        EXPECT_TRUE(fixtures::cornerIsRed(thumb));
    }
    // Not a HEIF file, though named like one: not an image rather than a crash.
    const QString fake = root + "/fake.heic";
    ASSERT_TRUE(fixtures::writeFile(fake, QByteArray("\0\0\0\x18"
                                                     "ftypheic",
                                                     12) +
                                              QByteArray(64, 'x')));
    EXPECT_TRUE(Image::fromFile(fake).isNull());
    EXPECT_TRUE(Image::fromFile(fake).toQImage().isNull());
}

TEST(PhotoFormats, PagePngsDecodeToThePixelsTheyWereMadeFrom)
{
    QImage argb = picture(37, 23).convertToFormat(QImage::Format_ARGB32);
    for (int x = 0; x < argb.width(); ++x)
        argb.setPixelColor(x, 5, QColor(10, 200, 30, x * 7));
    QImage gray = picture(40, 30).convertToFormat(QImage::Format_Grayscale8);
    gray.setDotsPerMeterX(5906); // 150 dpi
    gray.setDotsPerMeterY(5906);
    // A page's margins: rows like the one above, white and black, and one touch of colour.
    QImage margins(21, 12, QImage::Format_RGB32);
    margins.fill(Qt::white);
    for (int y = 4; y < 7; ++y)
        std::fill_n(reinterpret_cast<quint32*>(margins.scanLine(y)), margins.width(), 0xff000000u);
    margins.setPixel(5, 9, qRgb(200, 30, 30));
    for (const QImage& source :
         {picture(33, 17), argb, gray, picture(9, 9).convertToFormat(QImage::Format_RGB888),
          margins, margins.convertToFormat(QImage::Format_Grayscale8)}) {
        SCOPED_TRACE(int(source.format()));
        const QImage decoded = QImage::fromData(PngEncoder::encode(source), "png");
        ASSERT_EQ(decoded.size(), source.size());
        EXPECT_EQ(decoded.hasAlphaChannel(), source.hasAlphaChannel());
        EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32),
                  source.convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(decoded.dotsPerMeterX(), source.dotsPerMeterX());
    }
}
