// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "support/Fixtures.h"
#include "support/TestPlatform.h"
#include "topdf/PdfPassword.h"
#include "topdf/PdfWriter.h"
#include "viewer/PDFPreviewScreen.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPdfDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
bool qpdfCheck(const QString& path)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), path});
    return qpdf.waitForFinished(60000) && qpdf.exitStatus() == QProcess::NormalExit &&
           qpdf.exitCode() == 0;
}

// The document as qpdf reads it back.
struct Pdf
{
    explicit Pdf(const QString& path) { pdf.processFile(path.toLocal8Bit().constData()); }
    QPDF pdf;
    std::vector<QPDFPageObjectHelper> pages() { return QPDFPageDocumentHelper(pdf).getAllPages(); }
    QSizeF mediaBox(int page)
    {
        auto box = pages().at(size_t(page)).getObjectHandle().getKey("/MediaBox");
        return {box.getArrayItem(2).getNumericValue(), box.getArrayItem(3).getNumericValue()};
    }
    // The page's one image XObject.
    QPDFObjectHandle image(int page)
    {
        auto images = pages().at(size_t(page)).getImages();
        return images.size() == 1 ? images.begin()->second : QPDFObjectHandle();
    }
};

QByteArray raw(QPDFObjectHandle stream)
{
    auto buffer = stream.getRawStreamData();
    return {reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize())};
}
QByteArray decoded(QPDFObjectHandle stream)
{
    auto buffer = stream.getStreamData(qpdf_dl_generalized);
    return {reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize())};
}

QImage render(const QString& path, int page, QSize size)
{
    QPdfDocument doc;
    doc.load(path);
    return doc.render(page, size).convertToFormat(QImage::Format_RGB32);
}

// Mean difference per channel (0..255) of two pictures brought to one small size.
double difference(const QImage& a, const QImage& b)
{
    const QSize s(24, 24);
    const QImage x = a.scaled(s).convertToFormat(QImage::Format_RGB32);
    const QImage y = b.scaled(s).convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int j = 0; j < s.height(); ++j)
        for (int i = 0; i < s.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * s.width() * s.height());
}

class PdfWriterTest : public ::testing::Test
{
  protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    HistoryStore::Written convert(const QList<Image>& images, qint64 stem = 1700000000)
    {
        return writePDF(history, stem, images);
    }
    QTemporaryDir dir;
    HistoryStore history{dir.path()};
};
} // namespace

TEST_F(PdfWriterTest, PagesFollowTheImagesWithTheirSizesAndJpegsGoInUntouched)
{
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(1000, 1500), path("a.jpg")));
    QByteArray twoTimes;
    {
        QBuffer b(&twoTimes);
        b.open(QIODevice::WriteOnly);
        fixtures::photo(2400, 2400, Qt::darkGreen).save(&b, "JPEG", 80);
    }
    const QList<Image> images = {Image::fromFile(path("a.jpg")),
                                 Image::fromQImage(fixtures::photo(800, 600, Qt::yellow)),
                                 Image::fromData(twoTimes, 2.0)};
    const auto written = convert(images);
    ASSERT_TRUE(written.ok()) << written.error.toStdString();
    EXPECT_TRUE(qpdfCheck(written.path));

    Pdf pdf(written.path);
    ASSERT_EQ(pdf.pages().size(), 3u);
    EXPECT_EQ(pdf.mediaBox(0), QSizeF(1000, 1500));
    EXPECT_EQ(pdf.mediaBox(1), QSizeF(800, 600));
    EXPECT_EQ(pdf.mediaBox(2), QSizeF(1200, 1200)); // 2400 pixels at scale 2

    EXPECT_EQ(pdf.image(0).getDict().getKey("/Filter").getName(), "/DCTDecode");
    EXPECT_EQ(raw(pdf.image(0)), fixtures::readFile(path("a.jpg")));
    EXPECT_EQ(raw(pdf.image(2)), twoTimes);
    EXPECT_EQ(pdf.image(0).getDict().getKey("/ColorSpace").getName(), "/DeviceRGB");

    // Each picture fills its page.
    for (int i = 0; i < 3; ++i)
        EXPECT_LT(difference(render(written.path, i, images[i].size().toSize() / 10),
                             images[i].toQImage(QSize(200, 200))),
                  6)
            << "page " << i;
}

TEST_F(PdfWriterTest, APageBeyondViewersLimitKeepsItsSizeInLargerUnits)
{
    const auto written = convert({Image::fromQImage(fixtures::photo(20000, 40))});
    ASSERT_TRUE(written.ok()) << written.error.toStdString();
    EXPECT_TRUE(qpdfCheck(written.path));
    Pdf pdf(written.path);
    const QSizeF box = pdf.mediaBox(0);
    const double unit = pdf.pages().at(0).getObjectHandle().getKey("/UserUnit").getNumericValue();
    EXPECT_LE(box.width(), 14400);
    EXPECT_NEAR(box.width() * unit, 20000, 1);
    EXPECT_NEAR(box.height() * unit, 40, 0.1);
    EXPECT_GE(pdf.pdf.getPDFVersion(), "1.6");
}

TEST_F(PdfWriterTest, ExifOrientationTurnsThePageUprightWithoutReencoding)
{
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const QString file = path(QStringLiteral("o%1.jpg").arg(orientation));
        ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(120, 80), file, orientation));
        const Image image = Image::fromFile(file);
        const auto written = convert({image}, orientation);
        ASSERT_TRUE(written.ok());
        EXPECT_TRUE(qpdfCheck(written.path));
        Pdf pdf(written.path);
        const QSizeF upright = orientation >= 5 ? QSizeF(80, 120) : QSizeF(120, 80);
        EXPECT_EQ(pdf.mediaBox(0), upright) << "orientation " << orientation;
        EXPECT_EQ(raw(pdf.image(0)), fixtures::readFile(file));
        EXPECT_LT(difference(render(written.path, 0, upright.toSize()), image.toQImage()), 8)
            << "orientation " << orientation;
    }
}

TEST_F(PdfWriterTest, GreyAndCmykJpegsGetTheirOwnColourSpaces)
{
    QImage grey = fixtures::photo(64, 48).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_TRUE(grey.save(path("grey.jpg"), "JPEG"));
    const Image cmyk = Image::fromFile(QStringLiteral(QUIRE_TEST_DATA "/cmyk-adobe.jpg"));
    ASSERT_FALSE(cmyk.isNull());
    const auto written = convert({Image::fromFile(path("grey.jpg")), cmyk});
    ASSERT_TRUE(written.ok());
    EXPECT_TRUE(qpdfCheck(written.path));
    Pdf pdf(written.path);
    EXPECT_EQ(pdf.image(0).getDict().getKey("/ColorSpace").getName(), "/DeviceGray");
    EXPECT_EQ(pdf.image(1).getDict().getKey("/ColorSpace").getName(), "/DeviceCMYK");
    EXPECT_EQ(pdf.image(1).getDict().getKey("/Decode").unparse(), "[ 1 0 1 0 1 0 1 0 ]");
    // The fixture is cyan on the left and magenta on the right.
    const QImage page = render(written.path, 1, {32, 24});
    const QRgb left = page.pixel(4, 12), right = page.pixel(28, 12);
    EXPECT_LT(qRed(left), 80);
    EXPECT_GT(qBlue(left), 170);
    EXPECT_LT(qGreen(right), 80);
    EXPECT_GT(qRed(right), 170);
    EXPECT_LT(difference(render(written.path, 0, {64, 48}), grey), 6);
}

TEST_F(PdfWriterTest, OtherImagesGoInLosslessKeepingTransparencyAndDepth)
{
    QImage argb(40, 30, QImage::Format_ARGB32);
    argb.fill(Qt::transparent);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            argb.setPixel(x, y, qRgba(200, x * 10, y * 5, 255));
    ASSERT_TRUE(argb.save(path("alpha.png")));
    QImage deep(16, 8, QImage::Format_RGBX64);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            deep.setPixelColor(x, y, QColor::fromRgba64(x * 4097, y * 8191, 1234));
    ASSERT_TRUE(deep.save(path("deep.png")));

    const auto written =
        convert({Image::fromFile(path("alpha.png")), Image::fromFile(path("deep.png"))});
    ASSERT_TRUE(written.ok());
    EXPECT_TRUE(qpdfCheck(written.path));
    Pdf pdf(written.path);
    auto colour = pdf.image(0);
    EXPECT_EQ(colour.getDict().getKey("/Filter").getName(), "/FlateDecode");
    auto mask = colour.getDict().getKey("/SMask");
    ASSERT_TRUE(mask.isStream());
    const QByteArray rgb = decoded(colour), alpha = decoded(mask);
    ASSERT_EQ(rgb.size(), 40 * 30 * 3);
    ASSERT_EQ(alpha.size(), 40 * 30);
    EXPECT_EQ(uchar(rgb[(29 * 40 + 19) * 3 + 1]), 190); // green = x * 10, exactly
    EXPECT_EQ(uchar(alpha[5 * 40 + 10]), 255);
    EXPECT_EQ(uchar(alpha[5 * 40 + 30]), 0);
    QPdfDocument doc;
    doc.load(written.path);
    const QImage page = doc.render(0, {40, 30}).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(page.pixel(35, 15)), 0); // what lies behind shows through
    EXPECT_EQ(qAlpha(page.pixel(5, 15)), 255);

    auto sixteen = pdf.image(1);
    EXPECT_EQ(sixteen.getDict().getKey("/BitsPerComponent").getIntValue(), 16);
    EXPECT_FALSE(sixteen.getDict().hasKey("/SMask"));
    const QByteArray samples = decoded(sixteen);
    ASSERT_EQ(samples.size(), 16 * 8 * 6);
    const int at = (3 * 16 + 5) * 6; // x 5, y 3, big-endian red then green
    EXPECT_EQ(uchar(samples[at]) << 8 | uchar(samples[at + 1]), 5 * 4097);
    EXPECT_EQ(uchar(samples[at + 2]) << 8 | uchar(samples[at + 3]), 3 * 8191);
}

TEST_F(PdfWriterTest, NoImagesGiveAValidEmptyDocumentAndFailuresLeaveNothing)
{
    const auto empty = convert({});
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(qpdfCheck(empty.path));
    EXPECT_EQ(Pdf(empty.path).pages().size(), 0u);

    // A full disk: the error says so.
    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    QString error;
    EXPECT_FALSE(PdfWriter::write({Image::fromQImage(fixtures::photo(50, 50))}, full, error));
    EXPECT_TRUE(error.contains(QStringLiteral("space"))) << error.toStdString();

    // A photo that went away before its page was written: no file, nothing listed.
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(50, 50), path("gone.jpg")));
    const Image gone = Image::fromFile(path("gone.jpg"));
    QFile::remove(path("gone.jpg"));
    const int listed = history.count();
    const auto failed = convert({Image::fromQImage(fixtures::photo(50, 50)), gone}, 1700000005);
    EXPECT_FALSE(failed.ok());
    EXPECT_TRUE(failed.error.contains(QStringLiteral("page 2"))) << failed.error.toStdString();
    EXPECT_EQ(history.count(), listed);
    EXPECT_EQ(QDir(history.historyPath()).entryList(QDir::Files).size(), 1); // the empty one only
}

TEST(ImageToPDFScreen, ConvertNamesByWholeSecondsListsFirstAndOpensTheViewer)
{
    TestPlatform p;
    p.history->prepend(QUrl::fromLocalFile(QStringLiteral("/earlier.png")));
    auto* screen = new ImageToPDFScreen(p.services);
    p.navigator->setRoot(screen);
    screen->setArrOfSelectedImages({Image::fromQImage(fixtures::photo(30, 20))});

    screen->btnConvert();
    EXPECT_EQ(p.overlay->status(), "Converting...");
    EXPECT_EQ(p.navigator->depth(), 1); // the viewer waits for the main queue
    p.drain();
    const QString expected = p.historyPath() + "/1700000000.pdf";
    EXPECT_EQ(screen->pdfFilePath(), expected);
    ASSERT_EQ(p.history->count(), 2);
    EXPECT_EQ(p.history->at(0), QUrl::fromLocalFile(expected));
    EXPECT_FALSE(p.overlay->visible());
    ASSERT_EQ(p.navigator->depth(), 2);
    EXPECT_EQ(p.navigator->top()->screenName(), "PDFPreviewScreen");
    EXPECT_FALSE(p.navigator->top()->property("isFromHistory").toBool());
    EXPECT_EQ(p.navigator->top()->property("pdfFilePath").toString(), expected);

    // The same second again never overwrites the first file.
    p.navigator->popTo(screen);
    screen->btnConvert();
    p.drain();
    EXPECT_EQ(screen->pdfFilePath(), p.historyPath() + "/1700000000-2.pdf");
    EXPECT_EQ(p.history->count(), 3);
}

TEST(ImageToPDFScreen, AFailedWriteSaysWhyListsNothingAndStaysAndBackLeaves)
{
    TestPlatform p;
    // Something that is not a folder stands where the History folder belongs.
    QDir(p.historyPath()).removeRecursively();
    ASSERT_TRUE(fixtures::writeFile(p.historyPath(), "not a folder"));
    p.navigator->setRoot(new Screen(p.services));
    auto* screen = new ImageToPDFScreen(p.services);
    p.navigator->push(screen);
    screen->setArrOfSelectedImages({Image::fromQImage(fixtures::photo(30, 20))});
    screen->btnConvert();
    p.drain();
    EXPECT_FALSE(p.overlay->visible());
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_EQ(p.navigator->top(), screen);
    EXPECT_TRUE(screen->pdfFilePath().isEmpty());
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    const Alert& alert = p.alerts.presented().front();
    EXPECT_EQ(alert.title, "PDF Not Saved");
    EXPECT_TRUE(alert.message.startsWith("The PDF could not be saved: "))
        << alert.message.toStdString();
    EXPECT_GT(alert.message.size(), QString("The PDF could not be saved: ").size());

    // Back drops the pages and leaves.
    screen->btnBack();
    EXPECT_TRUE(screen->arrOfSelectedImages().isEmpty());
    EXPECT_EQ(p.navigator->depth(), 1);
}

TEST(ImageToPDFScreen, AProtectedPdfIsWrittenOnlyWithTwoEqualPasswordsAndOpensOnlyWithIt)
{
    TestPlatform p;
    auto* screen = new ImageToPDFScreen(p.services);
    p.navigator->setRoot(screen);
    screen->setArrOfSelectedImages({Image::fromQImage(fixtures::photo(30, 20))});
    screen->protection()->setEnabled(true);
    screen->btnConvert();
    p.drain();
    EXPECT_EQ(p.alerts.presented().back().message, "Type a password for the PDF.");
    screen->protection()->setPasswords("pw", "wp");
    screen->btnConvert();
    p.drain();
    EXPECT_EQ(p.alerts.presented().back().message, "The two passwords are not the same.");
    EXPECT_EQ(p.history->count(), 0);

    screen->protection()->setPasswords("pw", "pw");
    screen->btnConvert();
    p.drain();
    auto* viewer = qobject_cast<PDFPreviewScreen*>(p.navigator->top());
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(PdfPassword::check(screen->pdfFilePath(), {}), PdfPassword::Lock::Needed);
    EXPECT_EQ(PdfPassword::check(screen->pdfFilePath(), "pw"), PdfPassword::Lock::Open);
    EXPECT_TRUE(viewer->passwordPrompt()->asking());
    EXPECT_TRUE(viewer->documentUrl().isEmpty());
    viewer->submitPassword("wrong");
    p.drain();
    EXPECT_TRUE(viewer->documentUrl().isEmpty());
    viewer->submitPassword("pw");
    p.drain();
    EXPECT_EQ(viewer->documentUrl(), QUrl::fromLocalFile(screen->pdfFilePath()));
}
