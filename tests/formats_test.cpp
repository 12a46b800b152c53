// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/DeflateWalk.h"
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
#include <QRandomGenerator>
#include <QtEndian>

#include <gtest/gtest.h>

#include <libdeflate.h>

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
    // Signatures that promise a format the rest does not hold; a PNG named like a HEIF photo.
    for (const QByteArray& head :
         {QByteArray("RIFF\x20\0\0\0WEBPVP8 ", 16), QByteArray("\xff\xd8\xff")}) {
        ASSERT_TRUE(fixtures::writeFile(fake, head + QByteArray(64, 'x')));
        EXPECT_TRUE(Image::fromFile(fake).isNull());
    }
    ASSERT_TRUE(picture(30, 20).save(fake, "png"));
    EXPECT_EQ(Image::fromFile(fake).sourceFormat(), "png");
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

namespace {
// The concatenated IDAT data of a PNG.
QByteArray idat(const QByteArray& png)
{
    QByteArray data;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto length = qsizetype(qFromBigEndian<quint32>(png.constData() + at));
        if (png.mid(at + 4, 4) == "IDAT")
            data += png.mid(at + 8, length);
        at += length + 12;
    }
    return data;
}
} // namespace

TEST(PhotoFormats, PageBandsWrittenApartDecodeToEveryPixelAtAnyRowWidth)
{
    // Widths that leave a row's zeros as whole copies of 258 bytes, with one, two or three over,
    // or shorter than one copy; bands long enough to be written apart (past deflate's window),
    // and noise that libdeflate can only store on either side of them.
    auto* random = QRandomGenerator::global();
    for (const int width : {1, 2, 3, 86, 260, 262, 517, 1000})
        for (const QImage::Format format :
             {QImage::Format_Grayscale8, QImage::Format_RGB32, QImage::Format_ARGB32}) {
            const int channels = format == QImage::Format_Grayscale8 ? 1
                                 : format == QImage::Format_RGB32    ? 3
                                                                     : 4;
            SCOPED_TRACE(
                QStringLiteral("%1 wide, %2 channels").arg(width).arg(channels).toStdString());
            const int band = 33 * 1024 / (width * channels + 1) + 1;
            QImage page(width, 2 * band + 40, format);
            page.fill(Qt::white);
            const int second = band + 30;
            // In colour the last band runs to the page's end, as a bottom margin does.
            const int last = channels == 3 ? 0 : page.height() - 1;
            for (const int y : {0, 1, 2, band + 20, band + 28, band + 29, last})
                for (int x = 0; x < page.bytesPerLine(); ++x)
                    page.scanLine(y)[x] = uchar(random->bounded(256));
            std::fill_n(page.scanLine(band + 21), page.bytesPerLine(), uchar(0));
            for (const int y : {3, 4, 5, 6, band + 22, band + 23, band + 24, band + 25})
                std::copy_n(page.constScanLine(y - 1), page.bytesPerLine(), page.scanLine(y));
            ASSERT_LT(second + band, page.height() - 1);
            const QByteArray png = PngEncoder::encode(page);
            const QImage decoded = QImage::fromData(png, "png");
            EXPECT_EQ(decoded.convertToFormat(QImage::Format_ARGB32),
                      page.convertToFormat(QImage::Format_ARGB32));
            // zlib itself checks the stream to its end and its checksum.
            const auto rows = quint32(page.height() * (width * channels + 1));
            uchar size[4];
            qToBigEndian(rows, size);
            const QByteArray raw =
                qUncompress(QByteArray(reinterpret_cast<const char*>(size), 4) + idat(png));
            EXPECT_EQ(raw.size(), qsizetype(rows));
        }
}

TEST(PhotoFormats, ADeflateStreamsEndIsFoundToTheBitAndBrokenStreamsAreNoStreams)
{
    auto* random = QRandomGenerator::global();
    QByteArray noise(5000, '\0');
    random->fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    QByteArray text;
    for (int i = 0; i < 4000; ++i)
        text += QByteArray::number(random->bounded(40)) + " words ";
    for (const int level : {1, 2, 6, 12})
        for (const QByteArray& input : {noise, text, QByteArray("abc"), noise + text}) {
            libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
            std::vector<uint8_t> out(libdeflate_deflate_compress_bound(compressor, input.size()));
            const size_t size = libdeflate_deflate_compress(compressor, input.constData(),
                                                            input.size(), out.data(), out.size());
            libdeflate_free_compressor(compressor);
            ASSERT_GT(size, 0u);
            const auto walked = DeflateWalk::walk({out.data(), size});
            ASSERT_TRUE(walked.has_value()) << level;
            const DeflateWalk::End end = walked.value_or(DeflateWalk::End{});
            EXPECT_EQ((end.endBit + 7) / 8, size);
            EXPECT_TRUE(out[end.finalHeaderBit / 8] & (1u << (end.finalHeaderBit % 8)));
            EXPECT_FALSE(DeflateWalk::walk({out.data(), size / 2}).has_value());
        }
    // Whatever the bytes, an answer comes back.
    std::vector<uint8_t> garbage(300);
    for (int i = 0; i < 2000; ++i) {
        std::ranges::generate(garbage, [&] { return uint8_t(random->bounded(256)); });
        const auto end = DeflateWalk::walk(garbage);
        EXPECT_TRUE(!end || end->endBit <= garbage.size() * 8);
    }
}
