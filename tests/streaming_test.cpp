// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "compress/PhotoCompressor.h"
#include "image/Image.h"
#include "resize/ImageResizer.h"
#include "support/CliProcess.h"
#include "support/Fixtures.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <png.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <vector>

namespace {
// The test picture at any size without holding it: diagonal bands of colour, half transparent
// in the right half, written a row at a time.
void pictureRow(std::vector<png_byte>& row, int width, int y)
{
    for (int x = 0; x < width; ++x) {
        png_byte* p = &row[size_t(x) * 4];
        const int band = (x + y) / 97 % 3;
        p[0] = png_byte(band == 0 ? 220 : 30);
        p[1] = png_byte(band == 1 ? 200 : 40);
        p[2] = png_byte(band == 2 ? 180 : 50);
        p[3] = png_byte(x < width / 2 ? 255 : 128);
    }
}

bool writePng(const QString& path, int width, int height, bool interlaced = false)
{
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int passes = interlaced ? png_set_interlace_handling(png) : 1;
    std::vector<png_byte> row(size_t(width) * 4);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y) {
            pictureRow(row, width, y);
            png_write_row(png, row.data());
        }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// How a test TIFF is laid out: in strips or tiles of 256.
struct TiffLayout
{
    bool tiled = false;
    uint16_t compression = COMPRESSION_LZW;
    uint16_t orientation = ORIENTATION_TOPLEFT;
    int stripRows = 64;
};

// The same picture as writePng, as RGBA with unassociated alpha.
bool writeTiff(const QString& path, int width, int height, const TiffLayout& layout)
{
    TIFF* tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
    if (!tiff)
        return false;
    const uint16_t alpha = EXTRASAMPLE_UNASSALPHA;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(height));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, uint16_t(4));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, uint16_t(8));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, uint16_t(1), &alpha);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, layout.compression);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, layout.orientation);
    constexpr int kTile = 256;
    if (layout.tiled) {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, uint32_t(kTile));
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, uint32_t(kTile));
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, uint32_t(layout.stripRows));
    }
    const int band = layout.tiled ? kTile : 1;
    const size_t stride = size_t(width) * 4;
    std::vector<png_byte> row(stride);
    std::vector<uint8_t> rows(stride * size_t(band));
    std::vector<uint8_t> tile(size_t(kTile) * kTile * 4);
    bool ok = true;
    for (int top = 0; top < height && ok; top += band) {
        std::ranges::fill(rows, 0);
        for (int y = top; y < std::min(height, top + band); ++y) {
            pictureRow(row, width, y);
            std::ranges::copy(row, rows.begin() + ptrdiff_t(size_t(y - top) * stride));
        }
        if (!layout.tiled) {
            ok = TIFFWriteScanline(tiff, rows.data(), uint32_t(top), 0) == 1;
            continue;
        }
        for (int left = 0; left < width && ok; left += kTile) {
            std::ranges::fill(tile, 0);
            for (int y = 0; y < kTile; ++y)
                std::memcpy(tile.data() + size_t(y) * kTile * 4,
                            rows.data() + size_t(y) * stride + size_t(left) * 4,
                            size_t(std::min(kTile, width - left)) * 4);
            ok = TIFFWriteTile(tiff, tile.data(), uint32_t(left), uint32_t(top), 0, 0) > 0;
        }
    }
    TIFFClose(tiff);
    return ok;
}

// The average distance per channel between two images of one size.
double difference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * x.width() * x.height());
}

// Runs quire-cli with its data segment (heap and private mappings) capped at megabytes; its exit
// status, or -1 when it did not exit by itself.
int runLimited(CliProcess& cli, const QStringList& args, qint64 megabytes)
{
    cli.process.setChildProcessModifier([megabytes] {
        const rlimit limit{rlim_t(megabytes) << 20, rlim_t(megabytes) << 20};
        setrlimit(RLIMIT_DATA, &limit);
    });
    cli.run(args);
    return cli.process.exitStatus() == QProcess::NormalExit ? cli.status : -1;
}
} // namespace

TEST(Streaming, LargeImagesShrinkRowByRowToWhatTheWholeBitmapGives)
{
    QTemporaryDir dir;
    // Just past the size that streams, stored turned (EXIF 6) and as a PNG with transparency.
    const QImage whole = fixtures::photo(4800, 3600);
    ASSERT_TRUE(fixtures::writeJpeg(whole, dir.filePath("turned.jpg"), 6, 95));
    ASSERT_TRUE(writePng(dir.filePath("bands.png"), 4800, 3600));
    // TIFFs in strips, turned by their header, and in tiles.
    ASSERT_TRUE(writeTiff(dir.filePath("strips.tif"), 4800, 3600,
                          {false, COMPRESSION_LZW, ORIENTATION_RIGHTTOP}));
    ASSERT_TRUE(writeTiff(dir.filePath("tiles.tif"), 4800, 3600,
                          {true, COMPRESSION_ADOBE_DEFLATE, ORIENTATION_TOPLEFT}));
    for (const QString name : {"turned.jpg", "bands.png", "strips.tif", "tiles.tif"}) {
        SCOPED_TRACE(name.toStdString());
        const Image photo = Image::fromFile(dir.filePath(name));
        QImageReader reader(dir.filePath(name));
        reader.setAutoTransform(true);
        const QImage decoded = reader.read();
        ASSERT_EQ(photo.pixelSize(), decoded.size());
        // An uneven ratio, stretched, so that result rows and columns straddle source pixels.
        const QSize target(decoded.width() * 2 / 7, decoded.height() / 5);
        const QImage streamed = ImageResizer::draw(photo, QSizeF(target));
        ASSERT_EQ(streamed.size(), target);
        const QImage expected =
            decoded.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(difference(streamed, expected), 2.0);
        // The same through the bounded decoding that thumbnails and recognition use.
        const QImage fitted = photo.toQImage(QSize(600, 600));
        EXPECT_LT(difference(fitted, decoded.scaled(fitted.size(), Qt::IgnoreAspectRatio,
                                                    Qt::SmoothTransformation)),
                  2.0);
    }
    // Tiles that do not inflate stop the reading rather than leave a band of grey.
    QFile tiles(dir.filePath("tiles.tif"));
    ASSERT_TRUE(tiles.open(QIODevice::ReadWrite) && tiles.seek(tiles.size() / 2));
    tiles.write(QByteArray(65536, '\x5a'));
    tiles.close();
    EXPECT_TRUE(ImageResizer::draw(Image::fromFile(tiles.fileName()), QSizeF(600, 450)).isNull());
    // What cannot be read a band at a time is decoded whole: one deflated strip of 134 MB, an
    // interlaced PNG.
    ASSERT_TRUE(writeTiff(dir.filePath("strip.tif"), 5800, 5800,
                          {false, COMPRESSION_ADOBE_DEFLATE, ORIENTATION_TOPLEFT, 5800}));
    ASSERT_TRUE(writePng(dir.filePath("interlaced.png"), 4800, 3600, true));
    for (const QString name : {"strip.tif", "interlaced.png"}) {
        const Image photo = Image::fromFile(dir.filePath(name));
        const PhotoCompressor::Result copy = PhotoCompressor::compress(photo, {});
        ASSERT_TRUE(copy.ok()) << name.toStdString() << ": " << copy.error.toStdString();
        EXPECT_EQ(QImage::fromData(copy.bytes).size(), photo.pixelSize());
    }
}

TEST(Streaming, ALargeImageIsResizedAndCompressedWithinAMemoryLimit)
{
    CliProcess cli;
    const auto path = [&](const QString& name) { return cli.path(name); };
    // Well under what the whole bitmap of the large picture takes (432 MB).
    constexpr qint64 kLimitMb = 300;
    if (runLimited(cli,
                   {"resize", cli.photo("small.jpg"), "--width", "100", "-o", path("small.png")},
                   kLimitMb) != 0)
        GTEST_SKIP() << "this build does not start within the limit (a sanitizer build)";

    ASSERT_TRUE(writePng(path("large.png"), 12000, 9000));
    EXPECT_EQ(runLimited(cli, {"resize", path("large.png"), "--width", "1200", "-o", path("r.png")},
                         kLimitMb),
              0)
        << cli.err.toStdString();
    const QImage resized(path("r.png"));
    ASSERT_EQ(resized.size(), QSize(1200, 900));
    // Each result pixel is the mean of the 10 x 10 it covers.
    std::vector<png_byte> row(size_t(12000) * 4);
    for (const QPoint at : {QPoint(13, 7), QPoint(300, 450), QPoint(900, 451), QPoint(1199, 899)}) {
        int sum[4] = {};
        for (int y = at.y() * 10; y < at.y() * 10 + 10; ++y) {
            pictureRow(row, 12000, y);
            for (int x = at.x() * 10; x < at.x() * 10 + 10; ++x)
                for (int c = 0; c < 4; ++c)
                    sum[c] += row[size_t(x) * 4 + size_t(c)];
        }
        const QRgb got = resized.pixel(at);
        EXPECT_NEAR(qRed(got), sum[0] / 100.0, 3) << at.x();
        EXPECT_NEAR(qGreen(got), sum[1] / 100.0, 3) << at.x();
        EXPECT_NEAR(qBlue(got), sum[2] / 100.0, 3) << at.x();
        EXPECT_NEAR(qAlpha(got), sum[3] / 100.0, 1) << at.x();
    }

    // A TIFF in tiles the same way.
    ASSERT_TRUE(writeTiff(path("large.tif"), 12000, 9000, {true, COMPRESSION_ADOBE_DEFLATE}));
    EXPECT_EQ(runLimited(cli, {"resize", path("large.tif"), "--width", "1200", "-o", path("t.png")},
                         kLimitMb),
              0)
        << cli.err.toStdString();
    EXPECT_EQ(QImage(path("t.png")).pixel(900, 451), resized.pixel(900, 451));

    QDir().mkpath(path("c"));
    EXPECT_EQ(runLimited(cli, {"compress", path("large.png"), "-o", path("c")}, kLimitMb), 0)
        << cli.err.toStdString();
    QImageReader copy(path("c/large.jpg"));
    EXPECT_EQ(copy.size(), QSize(12000, 9000));
    // Half transparent over white: the right half is far lighter than the opaque left.
    copy.setScaledSize(QSize(1500, 1125));
    const QImage small = copy.read();
    ASSERT_FALSE(small.isNull());
    double left = 0, right = 0;
    for (int y = 0; y < small.height(); y += 5)
        for (int x = 0; x < 700; x += 5) {
            left += qGray(small.pixel(x, y));
            right += qGray(small.pixel(x + 800, y));
        }
    EXPECT_GT(right, left * 1.5);
}

TEST(Streaming, OverTheWholeBitmapLimitOnlyWhatStreamsAndWhatTheFileCanHoldIsTaken)
{
    QTemporaryDir dir;
    const auto jpeg = [&](const QString& name, bool progressive, qsizetype padding,
                          QSize claimed = {20000, 15000}) {
        // A small JPEG whose frame header is made to claim a size (300 megapixels unless told).
        QImage pixels = fixtures::photo(64, 48);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(progressive);
        EXPECT_TRUE(writer.write(pixels));
        const qsizetype sof = bytes.indexOf(progressive ? "\xff\xc2" : "\xff\xc0");
        EXPECT_GT(sof, 0);
        bytes[sof + 5] = char(claimed.height() >> 8);
        bytes[sof + 6] = char(claimed.height() & 0xff);
        bytes[sof + 7] = char(claimed.width() >> 8);
        bytes[sof + 8] = char(claimed.width() & 0xff);
        fixtures::writeFile(dir.filePath(name), bytes + QByteArray(padding, '\0'));
        return dir.filePath(name);
    };
    // A baseline JPEG needs at least two bits for each 8 x 8 of luma: 300 M / 256 bytes.
    const QString real = jpeg("real.jpg", false, 1'200'000);
    const QString bomb = jpeg("bomb.jpg", false, 0);
    const QString progressive = jpeg("progressive.jpg", true, 1'200'000);

    QString reason;
    EXPECT_TRUE(Image::fromFile(real, 1.0, &reason).isNull());
    EXPECT_EQ(reason, "is too large: 20000 x 15000 pixels is over 200 megapixels");
    const Image taken = Image::fromFile(real, 1.0, &reason, Image::Decoding::RowByRow);
    EXPECT_EQ(taken.pixelSize(), QSize(20000, 15000)) << reason.toStdString();
    EXPECT_TRUE(Image::fromFile(bomb, 1.0, &reason, Image::Decoding::RowByRow).isNull());
    EXPECT_TRUE(reason.startsWith("is too large: 20000 x 15000 pixels cannot be held in"))
        << reason.toStdString();
    // A progressive JPEG is decoded whole in its coefficients: the old limit stays.
    EXPECT_TRUE(Image::fromFile(progressive, 1.0, &reason, Image::Decoding::RowByRow).isNull());
    EXPECT_EQ(reason, "is too large: 20000 x 15000 pixels is over 200 megapixels");
    // A TIFF's header names its compression, and with it the fewest bytes its strips take.
    const auto tiff = [&](const QString& name, uint16_t compression, qsizetype padding) {
        const QString path = dir.filePath(name);
        TIFF* t = TIFFOpen(QFile::encodeName(path).constData(), "w");
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, uint32_t(20000));
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, uint32_t(15000));
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, uint16_t(3));
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, uint16_t(8));
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, uint32_t(16));
        TIFFWriteRawStrip(t, 0, QByteArray(16, '\0').data(), 16); // the rest are never written
        TIFFClose(t);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(padding, '\0'));
        return path;
    };
    // Deflate shrinks 900 MB of rows to 872 KB at best.
    const Image tiffTaken = Image::fromFile(tiff("real.tif", COMPRESSION_ADOBE_DEFLATE, 900'000),
                                            1.0, &reason, Image::Decoding::RowByRow);
    EXPECT_EQ(tiffTaken.pixelSize(), QSize(20000, 15000)) << reason.toStdString();
    EXPECT_TRUE(Image::fromFile(tiff("bomb.tif", COMPRESSION_ADOBE_DEFLATE, 0), 1.0, &reason,
                                Image::Decoding::RowByRow)
                    .isNull());
    EXPECT_TRUE(reason.startsWith("is too large: 20000 x 15000 pixels cannot be held in"))
        << reason.toStdString();
    // A compression with no such bound (zstd) is held to the whole-bitmap limit.
    EXPECT_TRUE(Image::fromFile(tiff("zstd.tif", COMPRESSION_ZSTD, 900'000), 1.0, &reason,
                                Image::Decoding::RowByRow)
                    .isNull());
    EXPECT_EQ(reason, "is too large: 20000 x 15000 pixels is over 200 megapixels");
    // Beyond a gigapixel nothing is taken.
    const QString giant = jpeg("giant.jpg", false, 7'000'000, {40000, 40000});
    EXPECT_TRUE(Image::fromFile(giant, 1.0, &reason, Image::Decoding::RowByRow).isNull());
    EXPECT_EQ(reason, "is too large: 40000 x 40000 pixels is over 1000 megapixels");
}
