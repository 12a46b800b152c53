// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "compress/BaselineWriter.h"
#include "compress/DctRecompressor.h"
#include "compress/JpegCompressor.h"
#include "compress/ParallelEntropyDecoder.h"
#include "compress/PhotoCompressor.h"
#include "compress/PhotoMetadata.h"
#include "compress/RecordedScan.h"
#include "history/SizeLabel.h"
#include "home/HomeScreen.h"
#include "screens/compress/CompressImagePreviewScreen.h"
#include "screens/compress/CompressImageScreen.h"
#include "support/CameraPhoto.h"
#include "support/Fixtures.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

#include <gtest/gtest.h>

namespace {
// Home with the compression screen over it, given photos, as the picker leaves it.
CompressImageScreen* open(TestPlatform& p, const QList<Image>& photos)
{
    p.navigator->setRoot(new HomeScreen(p.services));
    auto* screen = new CompressImageScreen(p.services);
    screen->setArrOfSelectedImages(photos);
    p.navigator->push(screen);
    p.drain();
    return screen;
}

CompressImagePreviewScreen* results(TestPlatform& p)
{
    return qobject_cast<CompressImagePreviewScreen*>(p.navigator->top());
}

Image recordImage(const QVariant& record)
{
    return record.toMap().value("image").value<Image>();
}

qint64 recordSize(const QVariant& record)
{
    return record.toMap().value("compSize").toLongLong();
}

// A picture with sensor-like noise: it does not compress to nothing.
QImage noisy(int width, int height)
{
    QImage img = fixtures::photo(width, height);
    QRandomGenerator rng(3);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(rng.bounded(48)) - 24;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n, 255));
        }
    }
    return img;
}

double psnr(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += double(d) * d;
        }
    return 10 * std::log10(255.0 * 255.0 * 3 * a.width() * a.height() / std::max(sum, 1.0));
}

bool reddish(QRgb c)
{
    return qRed(c) > 180 && qGreen(c) < 90 && qBlue(c) < 90;
}

// A one-scan JPEG as libjpeg writes it at quality 90: luma sampling h × v (h 0 for grey),
// restart markers every interval MCUs or every rows MCU rows, Huffman tables of its own or not.
QByteArray oneScan(const QImage& image, int h, int v, int interval, int rows, bool optimize = false)
{
    const bool grey = h == 0;
    const QImage in =
        image.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(in.width());
    c.image_height = JDIMENSION(in.height());
    c.input_components = grey ? 1 : 3;
    c.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    c.comp_info[0].h_samp_factor = std::max(h, 1);
    c.comp_info[0].v_samp_factor = std::max(v, 1);
    c.restart_interval = unsigned(interval);
    c.restart_in_rows = rows;
    c.optimize_coding = optimize ? TRUE : FALSE;
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        auto* row = const_cast<uchar*>(in.constScanLine(int(c.next_scanline)));
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return out;
}

// The scan of jpeg decoded in parts by the parallel decoder alone (or, recorded, by RecordedScan,
// its coefficients kept as they were): how many guessed parts joined up, or -1 when it left the
// file to libjpeg.
int joinsOf(const QByteArray& jpeg, int parts, bool recorded = false)
{
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&d, TRUE);
    int joins = -1;
    if (recorded) {
        QString refusal;
        const BlockLayout layout = BlockLayout::plan(d, 1, refusal);
        std::vector<CoefficientMapper> mappers;
        for (int c = 0; c < d.num_components; ++c) {
            const UINT16* table = d.quant_tbl_ptrs[d.comp_info[c].quant_tbl_no]->quantval;
            mappers.emplace_back(layout, c, table, table);
        }
        std::array<const CoefficientMapper*, MAX_COMPONENTS> use{};
        for (size_t c = 0; c < mappers.size(); ++c)
            use[c] = &mappers[c];
        RecordedScan scan;
        if (scan.decode(d, d.src->next_input_byte, d.src->bytes_in_buffer, parts, use))
            joins = scan.resynchronised();
    } else if (ParallelEntropyDecoder decoder;
               decoder.decode(d, d.src->next_input_byte, d.src->bytes_in_buffer, parts)) {
        joins = decoder.resynchronised();
    }
    jpeg_destroy_decompress(&d);
    return joins;
}

QStringList historyNames(TestPlatform& p)
{
    QStringList names;
    for (const QUrl& url : p.history->entries())
        names << QFileInfo(url.toLocalFile()).fileName();
    return names;
}
} // namespace

TEST(Compress, EachPhotoGivesARecordAndAJpegNumberedOnWithinOneSecondNewestFirst)
{
    TestPlatform p;
    const QList<Image> photos = {Image::fromQImage(fixtures::photo(640, 480, Qt::red)),
                                 Image::fromQImage(fixtures::photo(50, 20, Qt::green)),
                                 Image::fromQImage(fixtures::photo(30, 60, Qt::blue))};
    CompressImageScreen* screen = open(p, photos);
    screen->btnCompress();
    EXPECT_EQ(p.overlay->state(), ProgressOverlay::Busy);
    EXPECT_EQ(p.overlay->status(), "Compresing Images...");
    p.drain();
    EXPECT_FALSE(p.overlay->visible());

    CompressImagePreviewScreen* preview = results(p);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->failureText(), "");
    EXPECT_EQ(historyNames(p), QStringList({"1700000002.jpg", "1700000001.jpg", "1700000000.jpg"}));
    const QVariantList records = preview->arrOfCompressImage();
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[0].toMap().keys(), QStringList({"compSize", "image"}));
    for (int i = 0; i < 3; ++i) {
        // Each record holds the compressed result, read back from its file.
        const QString path = p.historyPath() + QString("/%1.jpg").arg(1700000000 + i);
        const Image image = recordImage(records[i]);
        EXPECT_EQ(image.sourcePath(), path);
        EXPECT_EQ(image.pixelSize(), photos[i].pixelSize()) << i;
        EXPECT_EQ(recordSize(records[i]), QFileInfo(path).size());
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), "jpeg");
        EXPECT_EQ(reader.read().size(), photos[i].pixelSize());
    }

    // A second run starts from an empty record list; the first run's files stay listed.
    p.navigator->pop();
    ASSERT_EQ(p.navigator->top(), screen);
    p.clock.set(1700000100.2);
    screen->btnCompress();
    p.drain();
    EXPECT_EQ(results(p)->arrOfCompressImage().size(), 3);
    EXPECT_EQ(p.history->count(), 6);
}

TEST(Compress, AFailedHistoryWriteIsReportedWithItsReasonAndNotListed)
{
    TestPlatform p;
    QDir(p.historyPath()).removeRecursively();
    ASSERT_TRUE(fixtures::writeFile(p.historyPath(), "a file where the folder was"));
    open(p, {Image::fromQImage(fixtures::photo(64, 48))})->btnCompress();
    p.drain();
    EXPECT_TRUE(results(p)->arrOfCompressImage().isEmpty());
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_TRUE(results(p)->failureText().startsWith(
        "1 photo could not be compressed.\nPhoto 1 could not be saved: "))
        << results(p)->failureText().toStdString();
}

TEST(Compress, APhotoThatCannotBeReadIsSkippedAndTheResultsSaySo)
{
    TestPlatform p;
    const QString broken = p.root.path() + "/broken.jpg";
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(80, 60), broken));
    const Image unreadable = Image::fromFile(broken);
    ASSERT_FALSE(unreadable.isNull());
    // The photo goes away after it was chosen, leaving a header and no picture.
    ASSERT_TRUE(fixtures::writeFile(broken, QByteArray("\xff\xd8\xff\xdb", 4)));

    open(p, {Image::fromQImage(fixtures::photo(40, 30)), unreadable,
             Image::fromQImage(fixtures::photo(30, 40))})
        ->btnCompress();
    p.drain();
    EXPECT_FALSE(p.overlay->visible());
    CompressImagePreviewScreen* preview = results(p);
    ASSERT_NE(preview, nullptr);
    const QVariantList records = preview->arrOfCompressImage();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(recordImage(records[1]).pixelSize(), QSize(30, 40));
    // Each file keeps the number of its photo's place in the list.
    EXPECT_EQ(historyNames(p), QStringList({"1700000002.jpg", "1700000000.jpg"}));
    EXPECT_EQ(preview->failureText(),
              "1 photo could not be compressed.\nPhoto 2 could not be read.");
}

TEST(Compress, ACameraPhotoKeepsDateAndCameraDropsLocationAndStandsUpright)
{
    TestPlatform p;
    const QDateTime taken(QDate(2023, 5, 17), QTime(9, 41, 7));
    // 128 × 96 turns block by block; 120 × 92 has partial edge blocks and goes through pixels.
    for (const QSize stored : {QSize(128, 96), QSize(120, 92)}) {
        for (const bool keep : {false, true}) {
            SCOPED_TRACE(QString("%1x%2 keep %3")
                             .arg(stored.width())
                             .arg(stored.height())
                             .arg(keep)
                             .toStdString());
            p.defaults.setValue(CompressImageScreen::kKeepLocationKey, keep);
            const QString path = p.root.path() + "/camera.jpg";
            ASSERT_TRUE(
                camera::write(path, camera::jpeg(fixtures::photo(stored.width(), stored.height()),
                                                 {taken, 6, true}, 2, 1)));
            open(p, {Image::fromFile(path)})->btnCompress();
            p.drain();
            const QString out = p.history->at(0).toLocalFile();
            const camera::Read tags = camera::read(out);
            EXPECT_EQ(tags.taken, "2023:05:17 09:41:07");
            EXPECT_EQ(tags.make, "Quire");
            EXPECT_EQ(tags.model, "Test Cam");
            EXPECT_LE(tags.orientation, 1);
            EXPECT_EQ(tags.gpsTags > 0, keep);
            // Turned clockwise: the stored top-left marker is now at the top right.
            const QImage upright(out);
            ASSERT_EQ(upright.size(), stored.transposed());
            EXPECT_TRUE(reddish(upright.pixel(upright.width() - 8, 8)));
            EXPECT_FALSE(reddish(upright.pixel(8, 8)));
            EXPECT_FALSE(reddish(upright.pixel(upright.width() - 8, upright.height() - 8)));
        }
    }
}

TEST(Compress, EveryChromaLayoutComesOutAsCloseAsAPixelReencode)
{
    // Not a whole number of blocks either way: the edges are partial.
    const QImage original = noisy(322, 243);
    for (const bool progressive : {false, true})
        for (const auto& [h, v] : {std::pair{1, 1}, {2, 1}, {1, 2}, {2, 2}}) {
            SCOPED_TRACE(QString("%1x%2 %3").arg(h).arg(v).arg(progressive).toStdString());
            const QByteArray source = camera::jpeg(original, {}, h, v, 95, progressive);
            const QImage decoded = QImage::fromData(source).convertToFormat(QImage::Format_RGB32);
            const auto result = PhotoCompressor::compress(Image::fromData(source), {});
            ASSERT_TRUE(result.ok()) << result.error.toStdString();
            EXPECT_EQ(result.quality, 25);
            const QByteArray pixels = JpegCompressor::encode(decoded, 25);
            const QImage back =
                QImage::fromData(result.bytes).convertToFormat(QImage::Format_RGB32);
            const QImage reference = QImage::fromData(pixels).convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(back.size(), original.size());
            EXPECT_GT(psnr(back, decoded), psnr(reference, decoded) - 0.5);
            EXPECT_LT(result.bytes.size(), pixels.size() * 105 / 100);
        }
}

TEST(Compress, EveryWayOfReadingAPhotoGivesTheSameBytes)
{
    const QImage original = noisy(322, 243);
    for (const auto& [h, v] : {std::pair{1, 1}, {2, 1}, {2, 2}}) {
        SCOPED_TRACE(QString("%1x%2").arg(h).arg(v).toStdString());
        const QByteArray baseline = camera::jpeg(original, {}, h, v, 95);
        const QByteArray progressive = camera::jpeg(original, {}, h, v, 95, true);
        // Read whole, both hold the same blocks: the same bytes whether read first and copied
        // (the documented way), read while being encoded, or worked in place.
        EXPECT_TRUE(DctRecompressor::fastPaths()) << "built against another libjpeg";
        const QByteArray expected = DctRecompressor(baseline).encode(25);
        ASSERT_FALSE(expected.isEmpty());
        const DctRecompressor copied(progressive);
        EXPECT_EQ(copied.encode(25), expected);
        EXPECT_EQ(copied.encode(25), expected);
        for (const QByteArray& source : {baseline, progressive}) {
            DctRecompressor once(source);
            EXPECT_EQ(once.encodeOnce(25), expected);
            EXPECT_TRUE(once.encode(25).isEmpty()) << "its blocks were used up";
        }
        // Read for quality 25 alone, a progressive file's scans that only refine are left out:
        // next to no difference.
        const auto twin = PhotoCompressor::compress(Image::fromData(baseline), {});
        const auto cut = PhotoCompressor::compress(Image::fromData(progressive), {});
        ASSERT_TRUE(cut.ok());
        const QImage decoded = QImage::fromData(baseline).convertToFormat(QImage::Format_RGB32);
        const auto quality = [&](const QByteArray& bytes) {
            return psnr(QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32), decoded);
        };
        EXPECT_NEAR(quality(cut.bytes), quality(twin.bytes), 0.1);
        EXPECT_NEAR(double(cut.bytes.size()), double(twin.bytes.size()), twin.bytes.size() / 50.0);
    }
}

TEST(Compress, ReadingOneScanOnEveryCoreGivesTheSameBytes)
{
    using Reading = DctRecompressor::Reading;
    const QImage large = noisy(1021, 767); // not whole blocks either way
    for (const QImage& image : {noisy(322, 243), large})
        for (const auto& [h, v] : {std::pair{1, 1}, {2, 1}, {2, 2}, {0, 0}})
            for (const auto& [interval, rows] : {std::pair{0, 0}, {7, 0}, {0, 1}}) {
                SCOPED_TRACE(QString("%1 wide %2x%3, restart %4/%5")
                                 .arg(image.width())
                                 .arg(h)
                                 .arg(v)
                                 .arg(interval)
                                 .arg(rows)
                                 .toStdString());
                const QByteArray source = oneScan(image, h, v, interval, rows, rows == 0);
                EXPECT_EQ(joinsOf(source, 4), interval + rows == 0 ? 3 : 0);
                // Coded again where it stands (4:2:0 or grey), it is read straight into records.
                EXPECT_EQ(joinsOf(source, 4, true), interval + rows == 0 ? 3 : 0);
                const QByteArray expected = DctRecompressor(source).encode(25);
                ASSERT_FALSE(expected.isEmpty());
                // Into blocks of its own (any number of qualities), then over the source's.
                DctRecompressor copies(source, 100, Reading::ParallelEntropy);
                EXPECT_EQ(copies.encode(25), expected);
                EXPECT_EQ(copies.encode(25), expected);
                EXPECT_EQ(copies.encodeOnce(25), expected);
            }
    // Turned upright (each EXIF turn and mirror) from its own blocks, or from its records.
    for (int orientation = 2; orientation <= 8; ++orientation) {
        const QByteArray turned =
            camera::jpeg(noisy(1024, 768), {QDateTime(), orientation}, 2, 2, 95);
        EXPECT_EQ(DctRecompressor(turned, 100, Reading::ParallelEntropy).encodeOnce(25),
                  DctRecompressor(turned).encode(25))
            << "orientation " << orientation;
    }
    // Damaged data is libjpeg's to read, warnings and all.
    QByteArray damaged = oneScan(large, 2, 2, 0, 0);
    for (qsizetype at = damaged.size() / 3; at < damaged.size() - 8; at += damaged.size() / 5)
        damaged[at] = char(0xA5);
    DctRecompressor plain(damaged);
    DctRecompressor parallel(damaged, 100, Reading::ParallelEntropy);
    EXPECT_EQ(joinsOf(damaged, 2), -1);
    EXPECT_EQ(joinsOf(damaged, 2, true), -1);
    EXPECT_EQ(parallel.encode(25), plain.encode(25));
    EXPECT_EQ(parallel.warnings(), plain.warnings());
}

TEST(Compress, OurScanCodingIsLibjpegsByteForByte)
{
    QByteArray exif("Exif\0\0MM", 8);
    QByteArray icc(70000, '\0'); // three markers' worth
    for (qsizetype i = 0; i < icc.size(); ++i)
        icc[i] = char(i * 7 % 251);
    for (const QImage& image : {noisy(322, 243), noisy(17, 9)})
        for (const auto& [h, v] : {std::pair{1, 1}, {2, 1}, {2, 2}, {0, 0}}) {
            SCOPED_TRACE(QString("%1 wide %2x%3").arg(image.width()).arg(h).arg(v).toStdString());
            // A file's blocks written again by libjpeg the documented way, tables made for them.
            const QByteArray source = oneScan(image, h, v, 0, 0);
            jpeg_decompress_struct d{};
            jpeg_compress_struct c{};
            jpeg_error_mgr err{};
            d.err = c.err = jpeg_std_error(&err);
            jpeg_create_decompress(&d);
            jpeg_create_compress(&c);
            jpeg_mem_src(&d, reinterpret_cast<const unsigned char*>(source.constData()),
                         static_cast<unsigned long>(source.size()));
            jpeg_read_header(&d, TRUE);
            jvirt_barray_ptr* arrays = jpeg_read_coefficients(&d);
            jpeg_copy_critical_parameters(&d, &c);
            c.optimize_coding = TRUE;
            unsigned char* buffer = nullptr;
            unsigned long size = 0;
            jpeg_mem_dest(&c, &buffer, &size);
            jpeg_write_coefficients(&c, arrays);
            jpeg_write_marker(&c, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.data()),
                              unsigned(exif.size()));
            jpeg_write_icc_profile(&c, reinterpret_cast<const JOCTET*>(icc.data()),
                                   unsigned(icc.size()));
            jpeg_finish_compress(&c);
            const QByteArray expected(reinterpret_cast<const char*>(buffer), qsizetype(size));
            std::array<std::vector<JBLOCKROW>, 4> rows;
            std::array<const JBLOCKROW*, 4> blocks{};
            for (int k = 0; k < d.num_components; ++k) {
                for (JDIMENSION y = 0; y < d.comp_info[k].height_in_blocks; ++y)
                    rows[size_t(k)].push_back(d.mem->access_virt_barray(
                        reinterpret_cast<j_common_ptr>(&d), arrays[k], y, 1, FALSE)[0]);
                blocks[size_t(k)] = rows[size_t(k)].data();
            }
            // Ours, on one core and in three parts that meet within bytes.
            for (const int parts : {1, 3})
                EXPECT_EQ(BaselineWriter::write(c, blocks, exif,
                                                reinterpret_cast<const JOCTET*>(icc.data()),
                                                unsigned(icc.size()), parts),
                          expected);
            jpeg_destroy_compress(&c);
            jpeg_destroy_decompress(&d);
            std::free(buffer);
        }
}

TEST(Compress, APhotoFoundDamagedWhileEncodingFailsCleanly)
{
    // All its blocks are there, then a second start of image: libjpeg gives up at the very end,
    // while the encoder waits for the last rows.
    QByteArray damaged = camera::jpeg(noisy(322, 243), {}, 2, 2, 95);
    damaged.insert(damaged.size() - 2, "\xff\xd8");
    for (const auto reading :
         {DctRecompressor::Reading::Libjpeg, DctRecompressor::Reading::ParallelEntropy}) {
        DctRecompressor once(damaged, 100, reading);
        EXPECT_TRUE(once.encodeOnce(25).isEmpty());
        EXPECT_EQ(once.refusal(), "damaged JPEG data");
    }
    EXPECT_TRUE(DctRecompressor(damaged).encode(25).isEmpty());
    // The photo as a whole goes on through the pixel decoder, or fails with a reason.
    const auto result = PhotoCompressor::compress(Image::fromData(damaged), {});
    EXPECT_TRUE(result.ok() || !result.error.isEmpty());
}

TEST(Compress, FitUnderTakesTheHighestQualityThatFitsThenScalesDown)
{
    const QByteArray source = camera::jpeg(noisy(1280, 960), {}, 2, 2, 95);
    const Image photo = Image::fromData(source);
    const qint64 target = PhotoCompressor::compress(photo, {40, 0, false}).bytes.size() + 1;
    const auto fitted = PhotoCompressor::compress(photo, {25, target, false});
    ASSERT_TRUE(fitted.ok()) << fitted.error.toStdString();
    EXPECT_LE(fitted.bytes.size(), target);
    EXPECT_GE(fitted.quality, 40);
    EXPECT_LT(fitted.quality, 100);
    EXPECT_FALSE(fitted.scaled);
    const auto above = PhotoCompressor::compress(photo, {fitted.quality + 1, 0, false});
    EXPECT_GT(above.bytes.size(), target);

    // Under what even the lowest quality makes: smaller, at the lowest quality. The source's
    // comments (8 x 64 KB) are left behind on this way too.
    const auto lowest =
        PhotoCompressor::compress(photo, {PhotoCompressor::kLowestQuality, 0, false});
    QByteArray commented = source;
    for (int i = 0; i < 8; ++i)
        commented.insert(2, QByteArray("\xff\xfe\xff\xff") + QByteArray(0xfffd, char('a' + i)));
    const auto scaled = PhotoCompressor::compress(Image::fromData(commented),
                                                  {25, lowest.bytes.size() * 2 / 5, false});
    ASSERT_TRUE(scaled.ok()) << scaled.error.toStdString();
    EXPECT_FALSE(scaled.bytes.contains("\xff\xfe"));
    EXPECT_TRUE(scaled.scaled);
    EXPECT_EQ(scaled.quality, PhotoCompressor::kLowestQuality);
    EXPECT_LE(scaled.bytes.size(), lowest.bytes.size() * 2 / 5);
    EXPECT_LT(scaled.size.width(), 1280);
    EXPECT_EQ(QImage::fromData(scaled.bytes).size(), scaled.size);
}

TEST(Compress, FitUnderNeverGrowsAPhotoAndKeepsOneThatAlreadyFits)
{
    TestPlatform p;
    const QImage stored = noisy(128, 96);
    const camera::Tags turned{QDateTime(QDate(2023, 5, 17), QTime(9, 41)), 6, true};
    const QString jpeg = p.root.path() + "/turned.jpg", png = p.root.path() + "/shot.png";
    ASSERT_TRUE(camera::write(jpeg, camera::jpeg(stored, turned, 2, 2, 80, true)));
    ASSERT_TRUE(stored.save(png));
    CompressImageScreen* screen = open(p, {Image::fromFile(jpeg), Image::fromFile(png)});
    // "Before" is each file as it is, not a full-quality encoding of it.
    EXPECT_EQ(screen->sizeLabels(),
              QStringList({sizeLabel(QFileInfo(jpeg).size()), sizeLabel(QFileInfo(png).size())}));
    ASSERT_TRUE(screen->setTargetText("2m"));
    screen->btnCompress();
    p.drain();
    CompressImagePreviewScreen* preview = results(p);
    ASSERT_EQ(preview->arrOfCompressImage().size(), 2);
    EXPECT_EQ(preview->qualityLabels(), QStringList(2, "already small enough, kept as it was"))
        << preview->qualityLabels().join(" | ").toStdString();
    // The grid's rows say the same, each under its own picture.
    const CompressResults* rows = preview->results();
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->index(1).data(CompressResults::CaptionRole).toString(),
              preview->sizeLabels().at(1) + " · already small enough, kept as it was");
    EXPECT_EQ(rows->index(1).data(CompressResults::ImageUrlRole).toUrl(),
              preview->imageUrls().at(1));
    // The PNG stays byte for byte; the JPEG keeps its picture, turned upright without loss (or
    // still saying how to turn it) and without its location.
    EXPECT_EQ(historyNames(p).at(0).right(4), ".png");
    QFile kept(p.history->at(0).toLocalFile());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const QByteArray sourcePng = [&] {
        QFile f(png);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_EQ(kept.readAll(), sourcePng);
    const QString out = p.history->at(1).toLocalFile();
    EXPECT_LE(QFileInfo(out).size(), QFileInfo(jpeg).size());
    EXPECT_EQ(camera::read(out).gpsTags, 0);
    const auto upright = [](const QString& path) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        return reader.read().convertToFormat(QImage::Format_RGB32);
    };
    const QImage back = upright(out);
    ASSERT_EQ(back.size(), upright(jpeg).size());
    EXPECT_GT(psnr(back, upright(jpeg)), 45); // the same coefficients; only rounding differs

    // A photo standing upright keeps its coded picture byte for byte.
    const QByteArray straight = camera::jpeg(stored, {}, 2, 2, 80);
    const auto same = PhotoCompressor::compress(Image::fromData(straight), {25, 1'000'000, false});
    ASSERT_TRUE(same.kept);
    const qsizetype scan = same.bytes.indexOf("\xff\xda");
    ASSERT_GT(scan, 0);
    EXPECT_TRUE(straight.endsWith(same.bytes.mid(scan)));

    // One whose turn cannot be made without loss (it would halve its chroma) is kept as stored,
    // its turn still in its metadata.
    const QByteArray full = camera::jpeg(stored, turned, 1, 1, 60);
    const auto asStored = PhotoCompressor::compress(Image::fromData(full), {25, 1'000'000, false});
    ASSERT_TRUE(asStored.kept) << asStored.error.toStdString();
    EXPECT_LE(asStored.bytes.size(), full.size());
    EXPECT_EQ(PhotoMetadata::orientation(PhotoMetadata::exifOf(asStored.bytes)), 6);
}

TEST(Compress, ASizeNoPhotoCanReachFailsThatPhotoAloneAndSaysWhy)
{
    TestPlatform p;
    const QString big = p.root.path() + "/big.jpg";
    ASSERT_TRUE(camera::write(big, camera::jpeg(noisy(800, 600), {})));
    QImage tiny(16, 16, QImage::Format_RGB32);
    tiny.fill(Qt::gray);
    CompressImageScreen* screen = open(p, {Image::fromQImage(tiny), Image::fromFile(big)});
    EXPECT_FALSE(screen->setTargetText("lots"));
    ASSERT_TRUE(screen->setTargetText("1k"));
    EXPECT_EQ(screen->maxBytes(), 1000);
    EXPECT_EQ(screen->targetText(), "1 kb");
    screen->btnCompress();
    p.drain();
    CompressImagePreviewScreen* preview = results(p);
    ASSERT_EQ(preview->arrOfCompressImage().size(), 1);
    EXPECT_LE(recordSize(preview->arrOfCompressImage().at(0)), 1000);
    EXPECT_EQ(preview->qualityLabels().size(), 1);
    EXPECT_EQ(preview->failureText(),
              "1 photo could not be compressed.\nPhoto 2 cannot be made to fit under 1 kb.");
}

TEST(Compress, GridLabelsOfBarePixelsShowTheirFullQualitySizeOnceMeasured)
{
    // Comments in the encoding bring it to an exact number of bytes.
    const auto photoOfSize = [](qint64 target) {
        QImage pixels = fixtures::photo(32, 32);
        const qint64 bare = JpegCompressor::encodedSize(Image::fromQImage(pixels), 100);
        qint64 missing = target - bare;
        for (int k = 0; missing > 0; ++k) {
            const QString key = QString("k%1").arg(k, 2, 10, QChar('0'));
            const qint64 overhead = 4 + key.size() + 2; // marker, length, "key: "
            const qint64 value = std::min<qint64>(60000, missing - overhead);
            pixels.setText(key, QString(int(value), QChar('x')));
            missing -= overhead + value;
        }
        return Image::fromQImage(pixels);
    };
    const QList<Image> photos = {photoOfSize(998999), photoOfSize(999500), photoOfSize(2345678)};
    for (const auto& [photo, bytes] :
         {std::pair{photos[0], 998999}, {photos[1], 999500}, {photos[2], 2345678}})
        ASSERT_EQ(JpegCompressor::encodedSize(photo, 100), bytes);

    TestPlatform q;
    q.navigator->setRoot(new HomeScreen(q.services));
    auto* screen = new CompressImageScreen(q.services);
    screen->setArrOfSelectedImages(photos);
    q.navigator->push(screen);
    EXPECT_EQ(screen->sizeLabels(), QStringList({"", "", ""})); // measured off the GUI thread
    q.drain();
    EXPECT_EQ(screen->sizeLabels(), QStringList({"998 kb", "999 kb", "2 mb"}));
}

TEST(Compress, BackEmptiesTheSelectionAndReturns)
{
    TestPlatform p;
    CompressImageScreen* screen = open(p, {Image::fromQImage(fixtures::photo(40, 30))});
    screen->btnBack();
    EXPECT_TRUE(screen->arrOfSelectedImages().isEmpty());
    EXPECT_EQ(p.navigator->top()->screenName(), "HomeScreen");
}

TEST(CompressResults, ViewingSharingAndGoingHome)
{
    TestPlatform p;
    const QList<Image> photos = {Image::fromQImage(fixtures::photo(40, 30)),
                                 Image::fromQImage(fixtures::photo(30, 40))};
    open(p, photos)->btnCompress();
    p.drain();
    CompressImagePreviewScreen* preview = results(p);
    const QVariantList records = preview->arrOfCompressImage();
    ASSERT_EQ(records.size(), 2);
    QStringList expected;
    for (const QVariant& r : records)
        expected << sizeLabel(recordSize(r));
    EXPECT_EQ(preview->sizeLabels(), expected);

    preview->btnShare();
    ASSERT_EQ(p.share.presented().size(), 1);
    const QList<ShareItem> items = p.share.presented().at(0);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].kind, ShareItem::Picture);
    EXPECT_EQ(items[0].image, recordImage(records[0]));
    EXPECT_EQ(items[1].image, recordImage(records[1]));

    preview->didSelectItem(1);
    Screen* viewer = p.navigator->top();
    ASSERT_NE(viewer, preview);
    EXPECT_EQ(viewer->property("selectedImage").value<Image>(), recordImage(records[1]));
    p.navigator->pop();

    preview->btnHome();
    EXPECT_EQ(p.navigator->depth(), 1);
    EXPECT_EQ(p.navigator->top()->screenName(), "HomeScreen");
}

TEST(JpegCompressor, TransparencyBecomesWhiteAndLowerQualityIsSmaller)
{
    QImage clear(64, 64, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const QImage back = JpegCompressor::decode(JpegCompressor::encode(clear, 25));
    ASSERT_EQ(back.size(), QSize(64, 64));
    EXPECT_GT(qGray(back.pixel(32, 32)), 245);

    const QImage photo = fixtures::photo(800, 600);
    const QByteArray low = JpegCompressor::encode(photo, JpegCompressor::kQuality);
    EXPECT_LT(low.size(), JpegCompressor::encode(photo, JpegCompressor::kFullQuality).size());
    EXPECT_TRUE(JpegCompressor::decodes(low));
    EXPECT_FALSE(JpegCompressor::decodes(low.left(low.size() / 3)));
    EXPECT_TRUE(JpegCompressor::encode(QImage(), 25).isEmpty());
}
