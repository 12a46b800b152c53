// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/JobControl.h"
#include "compress/JpegCompressor.h"
#include "pdfshrink/AreaAverage.h"
#include "pdfshrink/PdfShrinker.h"
#include "picker/SelectImageScreen.h"
#include "screens/compress/CompressPDFPreviewScreen.h"
#include "screens/compress/CompressPDFScreen.h"
#include "support/CameraPhoto.h"
#include "support/Fixtures.h"
#include "support/TestPlatform.h"
#include "topdf/PdfPassword.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QPdfDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <map>

#include <opencv2/imgproc.hpp>

namespace {
constexpr char kText[] = "Quire keeps this text";

QByteArray bytesOf(const std::shared_ptr<Buffer>& b)
{
    return {reinterpret_cast<const char*>(b->getBuffer()), qsizetype(b->getSize())};
}

// A camera-like photo: a gradient with grain, as JPEG with an EXIF orientation that a PDF
// ignores (its stored picture is drawn as it is).
QByteArray grainyJpeg(int w, int h)
{
    QImage image = fixtures::photo(w, h);
    QRandomGenerator grain(7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int n = grain.bounded(40) - 20;
            const QColor c = image.pixelColor(x, y);
            image.setPixelColor(x, y,
                                QColor(qBound(0, c.red() + n, 255), qBound(0, c.green() + n, 255),
                                       qBound(0, c.blue() + n, 255)));
        }
    return camera::jpeg(image, {QDateTime::currentDateTime(), 6, false}, 2, 2, 92);
}

// Gray samples that deflate well, stored with zlib's fastest level.
QByteArray graySamples()
{
    QByteArray samples(qsizetype(200) * 200, Qt::Uninitialized);
    for (int k = 0; k < samples.size(); ++k)
        samples[k] = char((k % 200) / 8 * 10);
    return samples;
}

QPDFObjectHandle image(QPDF& pdf, const QByteArray& data, const char* filter, QSize size,
                       const char* space)
{
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&pdf);
    stream.replaceDict(QPDFObjectHandle::parse(
        QStringLiteral("<< /Type /XObject /Subtype /Image /Width %1 /Height %2 /ColorSpace %3 "
                       "/BitsPerComponent 8 >>")
            .arg(size.width())
            .arg(size.height())
            .arg(QLatin1String(space))
            .toStdString()));
    stream.replaceStreamData(data.toStdString(), QPDFObjectHandle::newName(filter),
                             QPDFObjectHandle::newNull());
    return stream;
}

// Two pages sharing the photo (drawn 300 x 200 pt), the first also with a lossless gray image
// (200 px drawn at 100 pt) and a line of text; streams stored as they are.
QByteArray samplePdf(const QByteArray& jpeg, QSize jpegSize, const char* password = nullptr)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle photo = image(pdf, jpeg, "/DCTDecode", jpegSize, "/DeviceRGB");
    QPDFObjectHandle gray =
        image(pdf, qCompress(graySamples(), 1).mid(4), "/FlateDecode", {200, 200}, "/DeviceGray");
    QPDFObjectHandle font = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    const std::string contents[2] = {
        std::string("q 300 0 0 200 72 400 cm /Im1 Do Q q 100 0 0 100 72 100 cm /Im2 Do Q "
                    "BT /F1 24 Tf 72 700 Td (") +
            kText + ") Tj ET",
        "q 300 0 0 200 72 400 cm /Im1 Do Q"};
    QPDFPageDocumentHelper pages(pdf);
    for (const std::string& content : contents) {
        QPDFObjectHandle page = QPDFObjectHandle::parse(
            "<< /Type /Page /MediaBox [0 0 612 792] /Resources << /XObject << >> >> >>");
        QPDFObjectHandle resources = page.getKey("/Resources");
        resources.getKey("/XObject").replaceKey("/Im1", photo);
        resources.getKey("/XObject").replaceKey("/Im2", gray);
        resources.replaceKey("/Font", QPDFObjectHandle::parse("<< >>"));
        resources.getKey("/Font").replaceKey("/F1", font);
        page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
        pages.addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    }
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setCompressStreams(false);
    writer.setDecodeLevel(qpdf_dl_none);
    if (password)
        writer.setR6EncryptionParameters(password, password, true, true, true, true, true, true,
                                         qpdf_r3p_full, true);
    writer.write();
    return bytesOf(writer.getBufferSharedPointer());
}

struct Opened
{
    QPDF pdf;
    std::vector<QPDFPageObjectHelper> pages;
    explicit Opened(const QByteArray& bytes, const char* password = "")
    {
        pdf.processMemoryFile("out", bytes.constData(), size_t(bytes.size()), password);
        pages = QPDFPageDocumentHelper(pdf).getAllPages();
    }
    QPDFObjectHandle xobject(size_t page, const char* name)
    {
        return pages[page].getAttribute("/Resources", false).getKey("/XObject").getKey(name);
    }
};

// The stored picture's size, of a JPEG that may be deflated too.
// The JPEG's picture as stored, without turning it upright.
QImage stored(const QByteArray& jpeg)
{
    QBuffer buffer;
    buffer.setData(jpeg);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(false);
    return reader.read();
}

QImage jpegImage(QPDFObjectHandle image)
{
    QByteArray jpeg = bytesOf(image.getRawStreamData());
    if (image.getDict().getKey("/Filter").isArray()) {
        const quint32 room = qToBigEndian(quint32(jpeg.size() * 100));
        jpeg = qUncompress(QByteArray(reinterpret_cast<const char*>(&room), 4) + jpeg);
    }
    return stored(jpeg);
}

QSize jpegSize(QPDFObjectHandle image)
{
    return jpegImage(std::move(image)).size();
}

// The picture's colours on average in a few squares, to compare pictures of different sizes.
QImage coarse(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32)
        .scaled(6, 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
} // namespace

TEST(PdfShrink, ImagesShrinkWhileTextLosslessImagesAndTheSharedImageStayAndNothingGrows)
{
    const QByteArray input = samplePdf(grainyJpeg(600, 400), {600, 400});
    const PdfShrinker::Result result = PdfShrinker::shrink(input, {});
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_LT(result.bytes.size(), input.size() / 2);
    EXPECT_EQ(result.pages, 2);
    EXPECT_EQ(result.imagesChanged, 2);

    Opened out(result.bytes);
    QPDFObjectHandle photo = out.xobject(0, "/Im1");
    EXPECT_EQ(photo.getObjGen(), out.xobject(1, "/Im1").getObjGen()); // still one object
    // Requantized, stored picture as it was: the EXIF orientation did not turn it.
    EXPECT_EQ(jpegSize(photo), QSize(600, 400));
    QPDFObjectHandle gray = out.xobject(0, "/Im2");
    EXPECT_EQ(bytesOf(gray.getStreamData(qpdf_dl_generalized)), graySamples());

    QTemporaryDir dir;
    ASSERT_TRUE(fixtures::writeFile(dir.filePath("out.pdf"), result.bytes));
    QPdfDocument doc;
    ASSERT_EQ(doc.load(dir.filePath("out.pdf")), QPdfDocument::Error::None);
    EXPECT_EQ(doc.getAllText(0).text().trimmed(), QString::fromLatin1(kText));

    // Once more at the same quality: nothing smaller to be had, so nothing to write.
    const PdfShrinker::Result again = PdfShrinker::shrink(result.bytes, {});
    EXPECT_TRUE(again.ok() && again.smallest && again.bytes.isEmpty());
}

TEST(PdfShrink, ImagesDrawnAboveTheResolutionAreScaledToItAndGreyScansStoredGrey)
{
    // The photo is drawn at 288 dpi on both pages, the gray image at 144 dpi.
    const QByteArray photoJpeg = grainyJpeg(1200, 800);
    const QByteArray input = samplePdf(photoJpeg, {1200, 800});
    PdfShrinker::Settings settings;
    settings.dpi = 144;
    JobControl job;
    const PdfShrinker::Result result = PdfShrinker::shrink(input, settings, &job);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    Opened out(result.bytes);
    QPDFObjectHandle photo = out.xobject(0, "/Im1");
    EXPECT_EQ(jpegSize(photo), QSize(600, 400));
    EXPECT_EQ(photo.getDict().getKey("/Width").getIntValue(), 600);
    EXPECT_TRUE(photo.getDict().getKey("/ColorSpace").isNameAndEquals("/DeviceRGB"));
    // Its colour planes, each scaled at its own size, come back together as the same colours.
    const QImage was = coarse(stored(photoJpeg));
    const QImage is = coarse(jpegImage(photo));
    for (int y = 0; y < was.height(); ++y)
        for (int x = 0; x < was.width(); ++x) {
            const QColor a = was.pixelColor(x, y), b = is.pixelColor(x, y);
            EXPECT_NEAR(b.red(), a.red(), 6) << x << "," << y;
            EXPECT_NEAR(b.green(), a.green(), 6) << x << "," << y;
            EXPECT_NEAR(b.blue(), a.blue(), 6) << x << "," << y;
        }
    EXPECT_EQ(out.xobject(0, "/Im2").getDict().getKey("/Width").getIntValue(), 200);
    EXPECT_EQ(job.done(), 2); // each image counted as it was done
    EXPECT_EQ(job.total(), 2);

    // A grey scan stored as colour is stored as grey.
    const QImage scan = fixtures::photo(1200, 800)
                            .convertToFormat(QImage::Format_Grayscale8)
                            .convertToFormat(QImage::Format_RGB32);
    const PdfShrinker::Result gray =
        PdfShrinker::shrink(samplePdf(JpegCompressor::encode(scan, 90), {1200, 800}), settings);
    ASSERT_TRUE(gray.ok()) << gray.error.toStdString();
    Opened grayOut(gray.bytes);
    EXPECT_EQ(jpegSize(grayOut.xobject(0, "/Im1")), QSize(600, 400));
    EXPECT_TRUE(
        grayOut.xobject(0, "/Im1").getDict().getKey("/ColorSpace").isNameAndEquals("/DeviceGray"));

    JobControl cancelled;
    cancelled.cancel();
    EXPECT_TRUE(PdfShrinker::shrink(input, settings, &cancelled).bytes.isEmpty());
}

TEST(PdfShrink, AreaAveragingGivesOpenCvsSamplesToWithinOneLevel)
{
    cv::Mat source(389, 503, CV_8UC1);
    cv::RNG noise(7);
    noise.fill(source, cv::RNG::UNIFORM, 0, 256);
    // A scan's 1.99, whole factors, uneven ones, none at all; a source too small for the taps.
    for (const cv::Size size : {cv::Size(252, 195), cv::Size(251, 194), cv::Size(100, 97),
                                cv::Size(7, 5), cv::Size(503, 389)}) {
        cv::Mat expected;
        cv::resize(source, expected, size, 0, 0, cv::INTER_AREA);
        cv::Mat ours(size, CV_8UC1);
        AreaAverage::down(source, ours);
        EXPECT_LE(cv::norm(expected, ours, cv::NORM_INF), 1) << size.width << "x" << size.height;
    }
    const cv::Mat tiny = source(cv::Rect(0, 0, 3, 2));
    cv::Mat one(1, 1, CV_8UC1);
    AreaAverage::down(tiny, one);
    EXPECT_NEAR(one.at<uchar>(0, 0), cv::mean(tiny)[0], 1);
}

TEST(PdfShrink, ASizeTargetGetsTheHighestQualityThatFitsOrSaysItCannot)
{
    const QByteArray input = samplePdf(grainyJpeg(1200, 800), {1200, 800});
    PdfShrinker::Settings settings;
    settings.quality = 10;
    const qint64 lowest = PdfShrinker::shrink(input, settings).bytes.size();
    settings.quality = 90;
    const qint64 highest = PdfShrinker::shrink(input, settings).bytes.size();
    ASSERT_LT(lowest, highest);

    settings.maxBytes = (lowest + highest) / 2;
    const PdfShrinker::Result fits = PdfShrinker::shrink(input, settings);
    ASSERT_TRUE(fits.ok()) << fits.error.toStdString();
    EXPECT_LE(fits.bytes.size(), settings.maxBytes);
    EXPECT_GT(fits.quality, 10);
    EXPECT_LT(fits.quality, 90);

    settings.maxBytes = lowest - 1000;
    const PdfShrinker::Result cannot = PdfShrinker::shrink(input, settings);
    EXPECT_TRUE(cannot.bytes.isEmpty());
    EXPECT_TRUE(cannot.error.startsWith("cannot be made to fit under"))
        << cannot.error.toStdString();
}

TEST(PdfShrink, ImagesItCannotReadAndFormsScriptsAndInlineImagesAreLeftAsTheyAre)
{
    QPDF pdf;
    pdf.emptyPDF();
    const QByteArray jpeg = grainyJpeg(600, 400);
    const auto stream = [&](const std::string& dict, const QByteArray& data) {
        QPDFObjectHandle s = QPDFObjectHandle::newStream(&pdf, data.toStdString());
        for (auto& [key, value] : QPDFObjectHandle::parse(dict).getDictAsMap())
            s.getDict().replaceKey(key, value);
        return s;
    };
    const std::string picture = "<< /Type /XObject /Subtype /Image /Width 600 /Height 400 ";
    // What the compressor does not decode, each with a name; the last two it does recode.
    const std::map<std::string, QPDFObjectHandle> left = {
        {"/J", stream(picture + "/ColorSpace /DeviceGray /BitsPerComponent 1 "
                                "/Filter /JBIG2Decode >>",
                      "not really JBIG2")},
        {"/C", stream(picture + "/ColorSpace /DeviceGray /BitsPerComponent 1 /Filter "
                                "/CCITTFaxDecode /DecodeParms << /K -1 /Columns 600 >> >>",
                      "not really CCITT")},
        {"/T", stream(picture + "/ColorSpace /DeviceRGB /BitsPerComponent 12 /Filter /DCTDecode >>",
                      jpeg)},
        {"/K", stream(picture + "/ColorSpace /DeviceCMYK /BitsPerComponent 8 /Filter /DCTDecode >>",
                      jpeg)},
        {"/L", stream(picture + "/ColorSpace [/Lab << /WhitePoint [0.95 1 1.09] >>] "
                                "/BitsPerComponent 8 /Filter /DCTDecode >>",
                      jpeg)},
        {"/M",
         stream(picture + "/ImageMask true /BitsPerComponent 1 >>", QByteArray(75 * 400, '\x55'))}};
    QPDFObjectHandle mask =
        stream("<< /Type /XObject /Subtype /Image /Width 6 /Height 4 /ColorSpace /DeviceGray "
               "/BitsPerComponent 8 >>",
               QByteArray(24, '\x80'));
    QPDFObjectHandle masked = stream(picture + "/ColorSpace /DeviceRGB /BitsPerComponent 8 "
                                               "/Decode [1 0 1 0 1 0] /Filter /DCTDecode >>",
                                     jpeg);
    masked.getDict().replaceKey("/SMask", mask);
    QPDFObjectHandle form =
        stream("<< /Type /XObject /Subtype /Form /BBox [0 0 1 1] >>", "q 1 0 0 1 0 0 cm /S Do Q");
    form.getDict().replaceKey("/Resources", QPDFObjectHandle::parse("<< /XObject << >> >>"));
    form.getDict().getKey("/Resources").getKey("/XObject").replaceKey("/S", masked);
    std::string content = "q 2 0 0 2 0 0 cm BI /W 2 /H 2 /CS /G /BPC 8 ID \x10\x20\x30\x40 EI Q ";
    QPDFObjectHandle page = QPDFObjectHandle::parse(
        "<< /Type /Page /MediaBox [0 0 612 792] /Resources << /XObject << >> >> >>");
    for (const auto& [name, image] : left) {
        page.getKey("/Resources").getKey("/XObject").replaceKey(name, image);
        content += "q 60 0 0 40 72 72 cm " + name + " Do Q ";
    }
    page.getKey("/Resources").getKey("/XObject").replaceKey("/F", form);
    content += "q 300 0 0 200 72 400 cm /F Do Q";
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    pdf.getRoot().replaceKey("/OpenAction",
                             QPDFObjectHandle::parse("<< /S /JavaScript /JS (app.alert(1);) >>"));
    pdf.getRoot().replaceKey(
        "/AcroForm", QPDFObjectHandle::parse("<< /Fields [<< /FT /Tx /T (name) /V (Ada) >>] >>"));
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setCompressStreams(false);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.write();
    const QByteArray input = bytesOf(writer.getBufferSharedPointer());

    const PdfShrinker::Result result = PdfShrinker::shrink(input, {});
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    Opened out(result.bytes);
    for (auto [name, image] : left) {
        QPDFObjectHandle kept = out.xobject(0, name.c_str());
        // Coded samples stay byte for byte; plain ones may be deflated, losslessly.
        const bool coded = image.getDict().hasKey("/Filter");
        EXPECT_EQ(
            bytesOf(coded ? kept.getRawStreamData() : kept.getStreamData(qpdf_dl_generalized)),
            bytesOf(image.getRawStreamData()))
            << name;
        for (const char* key : {"/ColorSpace", "/BitsPerComponent", "/DecodeParms", "/ImageMask"})
            EXPECT_EQ(kept.getDict().getKey(key).unparse(), image.getDict().getKey(key).unparse())
                << name << key;
    }
    EXPECT_EQ(
        bytesOf(
            out.pages[0].getObjectHandle().getKey("/Contents").getStreamData(qpdf_dl_generalized)),
        QByteArray::fromStdString(content))
        << "the inline image with it";
    QPDFObjectHandle recoded =
        out.xobject(0, "/F").getDict().getKey("/Resources").getKey("/XObject").getKey("/S");
    EXPECT_LT(recoded.getRawStreamData()->getSize(), size_t(jpeg.size()));
    EXPECT_EQ(recoded.getDict().getKey("/Decode").unparse(), "[ 1 0 1 0 1 0 ]");
    EXPECT_TRUE(recoded.getDict().getKey("/ColorSpace").isNameAndEquals("/DeviceRGB"));
    EXPECT_EQ(bytesOf(recoded.getDict().getKey("/SMask").getStreamData(qpdf_dl_generalized)),
              QByteArray(24, '\x80'));
    EXPECT_EQ(out.pdf.getRoot().getKey("/OpenAction").getKey("/JS").getUTF8Value(),
              "app.alert(1);");
    EXPECT_EQ(out.pdf.getRoot()
                  .getKey("/AcroForm")
                  .getKey("/Fields")
                  .getArrayItem(0)
                  .getKey("/V")
                  .getUTF8Value(),
              "Ada");
}

TEST(PdfShrink, ADamagedFileIsRepairedAndAProtectedOneNeedsItsPasswordAndStaysProtected)
{
    QByteArray damaged = samplePdf(grainyJpeg(600, 400), {600, 400});
    damaged.insert(damaged.lastIndexOf("startxref") + 10, "9"); // the table is not where it says
    const PdfShrinker::Result repaired = PdfShrinker::shrink(damaged, {});
    ASSERT_TRUE(repaired.ok()) << repaired.error.toStdString();
    EXPECT_EQ(Opened(repaired.bytes).pages.size(), 2U);

    const QByteArray input = samplePdf(grainyJpeg(600, 400), {600, 400}, "secret");
    EXPECT_EQ(PdfShrinker::shrink(input, {}).error, "is protected by a password");
    PdfShrinker::Settings settings;
    settings.password = "wrong";
    EXPECT_EQ(PdfShrinker::shrink(input, settings).error, "the password is not right");
    settings.password = "secret";
    const PdfShrinker::Result result = PdfShrinker::shrink(input, settings);
    ASSERT_TRUE(result.ok() && !result.bytes.isEmpty()) << result.error.toStdString();
    EXPECT_ANY_THROW(Opened{result.bytes});
    EXPECT_EQ(Opened(result.bytes, "secret").pages.size(), 2U);
}

TEST(PdfShrink, TheCliWritesASmallerPdfOnlyAndNeverOverItsInput)
{
    QTemporaryDir dir;
    const QString input = dir.filePath("scan.pdf");
    ASSERT_TRUE(fixtures::writeFile(input, samplePdf(grainyJpeg(600, 400), {600, 400})));
    const auto run = [&](const QStringList& args, QString* err = nullptr) {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LANGUAGE", "en");
        env.insert("QUIRE_DOCUMENTS", dir.filePath("docs"));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(QUIRE_CLI), QStringList{"compress"} + args);
        cli.waitForFinished(60000);
        if (err)
            *err = QString::fromUtf8(cli.readAllStandardError());
        return QString::fromUtf8(cli.readAllStandardOutput()).trimmed();
    };
    // Into the input's own folder: a free name beside it, the input untouched.
    const QByteArray before = fixtures::readFile(input);
    const QString out = run({input, "-o", dir.path(), "--verbose"});
    EXPECT_TRUE(out.startsWith(dir.filePath("scan-2.pdf") + "\tquality 0.25, "))
        << out.toStdString();
    EXPECT_EQ(fixtures::readFile(input), before);
    EXPECT_LT(QFileInfo(dir.filePath("scan-2.pdf")).size(), before.size());

    QString err;
    EXPECT_EQ(run({dir.filePath("scan-2.pdf"), "-o", dir.filePath("again")}, &err), "");
    EXPECT_TRUE(err.contains("already as small as it gets")) << err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("again/scan-2.pdf")));
    EXPECT_EQ(run({input, "--overwrite", "-o", dir.path()}, &err), "");
    EXPECT_TRUE(err.contains("its output would replace it")) << err.toStdString();
    EXPECT_EQ(fixtures::readFile(input), before);

    // Beside a photo, or named in a list (which quire-cli does not read before choosing the
    // runner), a PDF is compressed all the same.
    const QString photo = dir.filePath("photo.jpg");
    ASSERT_TRUE(fixtures::writeFile(photo, grainyJpeg(600, 400)));
    EXPECT_EQ(run({photo, input, "-o", dir.filePath("mixed")}).split('\n').size(), 2);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("mixed/scan.pdf")));
    ASSERT_TRUE(fixtures::writeFile(dir.filePath("list"), input.toUtf8() + '\n'));
    for (const QString& from : {"--from", "-from"})
        EXPECT_EQ(run({from, dir.filePath("list"), "-o", dir.filePath("listed" + from)}),
                  dir.filePath("listed" + from + "/scan.pdf"));
}

namespace {
// Compress's photo picker, and its "Choose PDF" handing back path.
CompressPDFScreen* openCompression(TestPlatform& p, const QString& path)
{
    auto* picker = new SelectImageScreen(p.services);
    p.navigator->setRoot(picker);
    picker->setSelectedJob(SelectedJob::CompressImage);
    EXPECT_TRUE(picker->acceptsPdf());
    picker->didPickDocument(QUrl::fromLocalFile(path));
    p.drain();
    return qobject_cast<CompressPDFScreen*>(p.navigator->top());
}

QString lastAlert(TestPlatform& p)
{
    return p.alerts.presented().empty() ? QString() : p.alerts.presented().back().message;
}
} // namespace

TEST(CompressPDFScreen, AProtectedPdfOpensWithItsPasswordAndShrinksIntoHistoryNewlyProtected)
{
    TestPlatform p;
    const QString path = p.root.filePath("scan.pdf");
    ASSERT_TRUE(fixtures::writeFile(path, samplePdf(grainyJpeg(1200, 800), {1200, 800}, "secret")));
    CompressPDFScreen* screen = openCompression(p, path);
    ASSERT_NE(screen, nullptr);
    PasswordPrompt* prompt = screen->passwordPrompt();
    EXPECT_TRUE(prompt->asking());
    EXPECT_TRUE(screen->documentUrl().isEmpty()) << "no page is drawn before the password";
    screen->passwordPrompt()->submit("wrong");
    p.drain();
    EXPECT_TRUE(prompt->asking());
    EXPECT_EQ(prompt->message(), "That password does not open the PDF. Try again.");
    screen->passwordPrompt()->submit("secret");
    p.drain();
    EXPECT_FALSE(prompt->asking());
    EXPECT_EQ(screen->documentUrl(), QUrl::fromLocalFile(path));

    // The result gets a password of its own, typed twice alike.
    screen->protection()->setEnabled(true);
    screen->protection()->setPasswords("new", "neww");
    screen->btnCompress();
    p.drain();
    EXPECT_EQ(lastAlert(p), "The two passwords are not the same.");
    screen->protection()->setPasswords("new", "new");
    screen->btnCompress();
    p.drain();
    auto* result = qobject_cast<CompressPDFPreviewScreen*>(p.navigator->top());
    ASSERT_NE(result, nullptr) << lastAlert(p).toStdString();
    ASSERT_EQ(p.history->count(), 1);
    const QString written = p.history->at(0).toLocalFile();
    EXPECT_EQ(result->pdfFilePath(), written);
    EXPECT_EQ(result->sizeBefore(), QFileInfo(path).size());
    EXPECT_EQ(result->sizeAfter(), QFileInfo(written).size());
    EXPECT_LT(result->sizeAfter(), result->sizeBefore() / 2);
    EXPECT_EQ(result->pageCount(), 2);
    EXPECT_TRUE(result->detailText().contains("2 pages")) << result->detailText().toStdString();
    EXPECT_EQ(PdfPassword::check(written, "secret"), PdfPassword::Lock::Wrong);
    EXPECT_EQ(PdfPassword::check(written, "new"), PdfPassword::Lock::Open);

    result->btnShare();
    ASSERT_EQ(p.share.items().size(), 1);
    EXPECT_EQ(p.share.items()[0].data, fixtures::readFile(written));
    result->btnOpen();
    EXPECT_EQ(p.navigator->top()->property("pdfFilePath").toString(), written);
}

TEST(CompressPDFScreen, NothingIsWrittenWhenTheFileCannotGetSmallerOrFitAndCancelBacksOut)
{
    TestPlatform p;
    const QString path = p.root.filePath("photos.pdf");
    ASSERT_TRUE(fixtures::writeFile(path, samplePdf(grainyJpeg(600, 400), {600, 400})));
    CompressPDFScreen* screen = openCompression(p, path);
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->passwordPrompt()->asking());
    screen->btnCompress();
    p.drain();
    ASSERT_EQ(p.history->count(), 1);
    const QString smaller = p.history->at(0).toLocalFile();

    // Once more, from what was written: nothing smaller to be had; nor anything under 1 kb.
    screen = openCompression(p, smaller);
    ASSERT_NE(screen, nullptr);
    screen->btnCompress();
    p.drain();
    EXPECT_EQ(lastAlert(p), "The PDF is already as small as it gets. Nothing was written.");
    ASSERT_TRUE(screen->setTargetText("1 kb"));
    screen->btnCompress();
    p.drain();
    EXPECT_EQ(lastAlert(p),
              "The PDF does not fit under 1 kb, even at the lowest quality. Nothing was written.");
    EXPECT_EQ(p.history->count(), 1);
    EXPECT_EQ(p.navigator->top(), screen);

    // Cancelling the password of a protected one goes back to the picker.
    const QString locked = p.root.filePath("locked.pdf");
    ASSERT_TRUE(fixtures::writeFile(locked, samplePdf(grainyJpeg(60, 40), {60, 40}, "pw")));
    screen = openCompression(p, locked);
    ASSERT_NE(screen, nullptr);
    screen->passwordPrompt()->cancel();
    EXPECT_EQ(p.navigator->top()->screenName(), "SelectImageScreen");
}
