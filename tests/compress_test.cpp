#include "compress/CompressImagePreviewScreen.h"
#include "compress/CompressImageScreen.h"
#include "compress/JpegCompressor.h"
#include "history/SizeLabel.h"
#include "home/HomeScreen.h"
#include "platform/testing/TestPlatform.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

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

QStringList historyNames(TestPlatform& p)
{
    QStringList names;
    for (const QUrl& url : p.history->entries())
        names << QFileInfo(url.toLocalFile()).fileName();
    return names;
}
} // namespace

TEST(Compress, OnePhotoGivesOneRecordOneJpegFileAndOneNewFirstHistoryEntry)
{
    TestPlatform p;
    CompressImageScreen* screen = open(p, {Image::fromQImage(fixtures::photo(640, 480))});
    screen->btnCompress();
    EXPECT_EQ(p.overlay->state(), ProgressOverlay::Busy);
    EXPECT_EQ(p.overlay->status(), "Compresing Images...");
    p.drain();
    EXPECT_FALSE(p.overlay->visible());

    CompressImagePreviewScreen* preview = results(p);
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->arrOfCompressImage().size(), 1);
    EXPECT_EQ(preview->failureText(), "");
    const QVariant record = preview->arrOfCompressImage().at(0);
    EXPECT_EQ(record.toMap().keys(), QStringList({"compSize", "image"}));

    EXPECT_EQ(historyNames(p), QStringList({"1700000000.jpg"}));
    const QString path = p.historyPath() + "/1700000000.jpg";
    EXPECT_EQ(recordSize(record), QFileInfo(path).size());
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage back = reader.read();
    EXPECT_EQ(back.size(), QSize(640, 480));
    // The record holds the compressed result, read back from its file.
    const Image image = recordImage(record);
    EXPECT_EQ(image.sourcePath(), path);
    EXPECT_EQ(image.pixelSize(), QSize(640, 480));
    EXPECT_FALSE(image.toQImage().isNull());
}

TEST(Compress, PhotosOfOneSecondAreNumberedOnAndListedNewestFirstInListOrder)
{
    TestPlatform p;
    const QList<Image> photos = {Image::fromQImage(fixtures::photo(40, 30, Qt::red)),
                                 Image::fromQImage(fixtures::photo(50, 20, Qt::green)),
                                 Image::fromQImage(fixtures::photo(30, 60, Qt::blue))};
    open(p, photos)->btnCompress();
    p.drain();
    EXPECT_EQ(historyNames(p), QStringList({"1700000002.jpg", "1700000001.jpg", "1700000000.jpg"}));
    const QVariantList records = results(p)->arrOfCompressImage();
    ASSERT_EQ(records.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(recordImage(records[i]).pixelSize(), photos[i].pixelSize()) << i;
        EXPECT_EQ(recordImage(records[i]).sourcePath(),
                  p.historyPath() + QString("/%1.jpg").arg(1700000000 + i));
    }
}

TEST(Compress, AMissingHistoryFolderIsMadeAgainAndNothingIsLost)
{
    TestPlatform p;
    CompressImageScreen* screen = open(p, {Image::fromQImage(fixtures::photo(64, 48)),
                                           Image::fromQImage(fixtures::photo(48, 64))});
    QDir(p.historyPath()).removeRecursively();
    screen->btnCompress();
    p.drain();
    EXPECT_EQ(results(p)->arrOfCompressImage().size(), 2);
    EXPECT_EQ(historyNames(p), QStringList({"1700000001.jpg", "1700000000.jpg"}));
    EXPECT_TRUE(QFileInfo::exists(p.historyPath() + "/1700000000.jpg"));
}

TEST(Compress, ATakenNameIsNotWrittenOver)
{
    TestPlatform p;
    QDir().mkpath(p.historyPath());
    ASSERT_TRUE(fixtures::writeFile(p.historyPath() + "/1700000000.jpg", "earlier"));
    open(p, {Image::fromQImage(fixtures::photo(64, 48))})->btnCompress();
    p.drain();
    QFile earlier(p.historyPath() + "/1700000000.jpg");
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier");
    const QString listed = p.history->at(0).toLocalFile();
    EXPECT_NE(QFileInfo(listed).fileName(), "1700000000.jpg");
    EXPECT_EQ(recordImage(results(p)->arrOfCompressImage().at(0)).sourcePath(), listed);
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
    EXPECT_EQ(preview->failureText(), "1 photo could not be compressed.");
}

TEST(Compress, ASecondRunStartsFromAnEmptyRecordList)
{
    TestPlatform p;
    CompressImageScreen* screen = open(p, {Image::fromQImage(fixtures::photo(40, 30)),
                                           Image::fromQImage(fixtures::photo(30, 40))});
    screen->btnCompress();
    p.drain();
    p.navigator->pop();
    ASSERT_EQ(p.navigator->top(), screen);
    p.clock.set(1700000100.2);
    screen->btnCompress();
    p.drain();
    EXPECT_EQ(results(p)->arrOfCompressImage().size(), 2);
    EXPECT_EQ(p.history->count(), 4); // the first run's files stay listed
}

TEST(Compress, GridLabelsShowEachPhotosFullQualitySizeOnceMeasured)
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
    p.navigator->registerScreen("ViewImageScreen", [](Services& s) { return new Screen(s); });
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
