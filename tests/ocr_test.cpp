// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "image/TextBands.h"
#include "picker/SelectImageScreen.h"
#include "screens/ocr/ExtractTextScreen.h"
#include "screens/ocr/TextScreen.h"
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"

#include "support/TestPlatform.h"

#include <QFile>
#include <QMutex>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QSet>
#include <QTransform>
#include <QtConcurrent/QtConcurrentRun>

#include <gtest/gtest.h>

namespace {
const QString kFailure = QStringLiteral("Something went wrong. Please try again later.");

QStringList console;
void record(QtMsgType, const QMessageLogContext&, const QString& message)
{
    console << message;
}

struct Ocr : ::testing::Test
{
    TestPlatform p;
    ExtractTextScreen* screen = nullptr;

    void SetUp() override { console.clear(); }
    void open(const QList<Image>& images)
    {
        p.navigator->setRoot(new HomeScreen(p.services));
        screen = new ExtractTextScreen(p.services);
        screen->setArrOfSelectedImages(images);
        p.navigator->push(screen);
    }
    // Taps Extract and lets the run finish.
    void extract()
    {
        screen->btnExtract();
        p.drain();
    }
    [[nodiscard]] TextScreen* result() const
    {
        return qobject_cast<TextScreen*>(p.navigator->top());
    }
    [[nodiscard]] Image jpeg(const QImage& image, const QString& name, int orientation = 1) const
    {
        const QString path = p.root.path() + QLatin1Char('/') + name;
        EXPECT_TRUE(fixtures::writeJpeg(image, path, orientation));
        return Image::fromFile(path);
    }
};
} // namespace

TEST_F(Ocr, BlankPhotoOpensTheResultOnAnEmptyText)
{
    p.services.recognizer = &p.tesseract;
    QImage blank(800, 600, QImage::Format_RGB32);
    blank.fill(Qt::white);
    open({jpeg(blank, "blank.jpg")});
    extract();
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->textFromImage(), QString());
    EXPECT_EQ(result()->tvText(), QString());
    EXPECT_FALSE(p.overlay->visible());
}

// A photo gone from disk, no photo at all, or an engine that gives up: the info text, no result.
TEST_F(Ocr, NothingToReadOrAFailedReadShowsTheInfoTextAndStays)
{
    const Image gone = jpeg(fixtures::photo(200, 100), "gone.jpg");
    ASSERT_FALSE(gone.isNull());
    ASSERT_TRUE(QFile::remove(gone.sourcePath()));
    for (const Image& image : {gone, Image()}) {
        open({image});
        extract();
        EXPECT_EQ(p.navigator->top(), screen);
        EXPECT_EQ(p.overlay->state(), ProgressOverlay::Info);
        EXPECT_EQ(p.overlay->status(), kFailure);
        EXPECT_FALSE(screen->extracting());
    }
    EXPECT_EQ(p.recognizer.performs(), 0);

    p.recognizer.answer(Recognition::failed(Recognition::Failed, "the engine gave up"));
    open({Image::fromQImage(fixtures::photo(100, 100))});
    const auto previous = qInstallMessageHandler(record);
    extract();
    qInstallMessageHandler(previous);
    EXPECT_EQ(console, QStringList{"Unable to perform the requests: the engine gave up."});
    EXPECT_EQ(p.navigator->top(), screen);
    EXPECT_EQ(p.overlay->status(), kFailure);
    EXPECT_FALSE(screen->extracting());
}

TEST_F(Ocr, OnlyTheFirstOfThreePhotosIsReadAndAllAreHandedOn)
{
    const QList<Image> photos = {jpeg(fixtures::photo(300, 200), "a.jpg"),
                                 jpeg(fixtures::photo(120, 160), "b.jpg"),
                                 Image::fromQImage(fixtures::photo(50, 50))};
    p.recognizer.answerLines({"first", "second"});
    open(photos);
    EXPECT_EQ(screen->ivImage(), photos[0].url());

    extract();
    EXPECT_EQ(p.recognizer.performs(), 1);
    EXPECT_EQ(p.recognizer.lastImage().size(), QSize(300, 200));
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->textFromImage(), QStringLiteral("first\nsecond\n"));
    EXPECT_EQ(result()->arrOfSelectedImages(), photos);
    EXPECT_EQ(result()->ivImage(), photos[0].url());

    result()->btnBack();
    screen->btnBack();
    EXPECT_TRUE(screen->arrOfSelectedImages().isEmpty());
    EXPECT_EQ(p.navigator->top()->screenName(), QStringLiteral("HomeScreen"));
}

TEST_F(Ocr, ASecondTapStartsNothingAndEachRunStartsAfresh)
{
    p.recognizer.answerLines({"one"});
    open({Image::fromQImage(fixtures::photo(100, 100))});
    screen->btnExtract();
    EXPECT_TRUE(screen->extracting());
    EXPECT_EQ(p.overlay->state(), ProgressOverlay::Busy);
    EXPECT_EQ(p.overlay->status(), QStringLiteral("Extracting Text..."));
    screen->btnExtract();
    p.drain();
    EXPECT_EQ(p.recognizer.performs(), 1);
    EXPECT_FALSE(screen->extracting());
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->textFromImage(), QStringLiteral("one\n"));

    result()->btnBack();
    EXPECT_EQ(p.navigator->top(), screen);
    p.recognizer.answerLines({"two"});
    extract();
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->textFromImage(), QStringLiteral("two\n"));
}

TEST(OcrThreads, ATapWhileTheRecognizerWorksIsIgnored)
{
    TestPlatform p(true);
    p.recognizer.answerLines({"line"});
    p.recognizer.hold();
    p.navigator->setRoot(new HomeScreen(p.services));
    auto* screen = new ExtractTextScreen(p.services);
    screen->setArrOfSelectedImages({Image::fromQImage(fixtures::photo(100, 100))});
    p.navigator->push(screen);
    screen->btnExtract();
    ASSERT_TRUE(fixtures::waitFor([&] { return p.recognizer.performs() == 1; }));
    screen->btnExtract();
    p.recognizer.release();
    ASSERT_TRUE(
        fixtures::waitFor([&] { return p.navigator->top()->screenName() == "TextScreen"; }));
    EXPECT_EQ(p.recognizer.performs(), 1);
    EXPECT_EQ(p.navigator->top()->property("textFromImage").toString(), QStringLiteral("line\n"));
}

TEST_F(Ocr, LinesWithoutCandidatesAreSkippedAndTheBestCandidateKept)
{
    Recognition r;
    r.lines = {RecognizedLine{{}, 0}, RecognizedLine{{"best", "runner-up"}, 80}};
    p.recognizer.answer(r);
    open({Image::fromQImage(fixtures::photo(100, 100))});
    extract();
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->textFromImage(), QStringLiteral("best\n"));
}

TEST_F(Ocr, MissingOrBrokenLanguageDataIsAClearMessage)
{
    QFile broken(p.root.path() + QStringLiteral("/zzz.traineddata"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(5000, 'x'));
    broken.close();
    TesseractRecognizer missing(QStringLiteral("zzz"));
    TesseractRecognizer garbage(QStringLiteral("zzz"), p.root.path());
    TesseractRecognizer partly(QStringLiteral("eng+zz_yy"));
    for (TesseractRecognizer* r : {&missing, &garbage, &partly}) {
        p.services.recognizer = r;
        open({Image::fromQImage(fixtures::textPage({"text"}))});
        const auto previous = qInstallMessageHandler(record);
        extract();
        qInstallMessageHandler(previous);
        EXPECT_EQ(p.navigator->top(), screen);
        EXPECT_EQ(p.overlay->state(), ProgressOverlay::Info);
        const QString package = r == &partly ? "tesseract-ocr-zz-yy" : "tesseract-ocr-zzz";
        EXPECT_TRUE(p.overlay->status().contains(package)) << p.overlay->status().toStdString();
        ASSERT_EQ(console.size(), 1);
        EXPECT_TRUE(console.first().startsWith("Unable to perform the requests: Text recognition"));
        EXPECT_TRUE(console.first().endsWith(package + ").")) << console.first().toStdString();
        console.clear();
    }
}

TEST(Tesseract, LinesInReadingOrderEachWithItsBestReadingFirst)
{
    TesseractRecognizer recognizer;
    const QStringList lines = {"Invoice 2041", "Paper and ink", "Total 17.50 EUR"};
    const QImage page = fixtures::textPage(lines);
    // One engine, two threads asking at once: each gets its own page's lines. The other page is
    // drawn on a transparent background, which reads as paper.
    QImage clear(page.size(), QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    QPainter painter(&clear);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(52);
    painter.setFont(font);
    painter.drawText(50, 110, QStringLiteral("Clear as day"));
    painter.end();
    auto other = QtConcurrent::run([&] { return recognizer.perform(clear); });
    const Recognition r = recognizer.perform(page);
    const Recognition o = other.result();
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(r.lines.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QStringList& c = r.lines[i].candidates;
        ASSERT_FALSE(c.isEmpty());
        EXPECT_EQ(c.first(), lines[i]);
        EXPECT_LE(c.size(), 3);
        EXPECT_EQ(QSet<QString>(c.begin(), c.end()).size(), c.size()) << c.join('|').toStdString();
        EXPECT_GT(r.lines[i].confidence, 50);
    }
    ASSERT_EQ(o.lines.size(), 1);
    EXPECT_EQ(o.lines.first().candidates.value(0), QStringLiteral("Clear as day"));
}

// A page of paragraphs in one column is cut across, between lines, into bands of about as much
// text each; one in two columns is not cut at all (its halves would come out of order), and its
// pieces are shared instead. Either way the engines together read what one engine reads.
TEST(Tesseract, EnginesSharingAPageReadWhatOneEngineReads)
{
    const QStringList words = {"paper", "ink", "river", "stone", "lamp", "window", "garden"};
    const auto page = [&](int columns) {
        QImage image(2000, 1500, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        fixtures::useTextFont(painter, 34);
        for (int column = 0; column < columns; ++column)
            for (int line = 0; line < 18; ++line) {
                QStringList text;
                for (int w = 0; w < 10 / columns; ++w)
                    text << words[(column * 18 + line * 3 + w) % words.size()];
                painter.drawText(80 + 980 * column, 100 + 70 * line + 60 * (line / 6),
                                 text.join(' ') + QString::number(line));
            }
        return image;
    };
    const auto text = [&](const QImage& image, int engines) {
        TesseractRecognizer recognizer;
        recognizer.setEngines(engines);
        const Recognition r = recognizer.perform(image);
        EXPECT_TRUE(r.ok()) << r.error.toStdString();
        QStringList lines;
        for (const RecognizedLine& l : r.lines)
            lines << l.candidates.value(0);
        return lines;
    };
    for (const int columns : {1, 2}) {
        const QImage image = page(columns);
        const QList<QRect> bands = TextBands::cut(image, 4);
        EXPECT_EQ(bands.size(), columns == 1 ? 4 : 1);
        int top = 0;
        for (const QRect& band : bands) {
            EXPECT_EQ(band.top(), top);
            EXPECT_EQ(band.width(), image.width());
            top = band.bottom() + 1;
            // Between lines, where the page is white all across.
            for (int x = 0; x < image.width() && band.top() > 0; ++x)
                EXPECT_EQ(qGray(image.pixel(x, band.top())), 255);
        }
        EXPECT_EQ(top, image.height());
        const QStringList one = text(image, 1);
        EXPECT_EQ(one.size(), 18 * columns);
        EXPECT_EQ(text(image, 2).join('\n').toStdString(), one.join('\n').toStdString())
            << columns << " columns";
    }
    QImage blank(300, 200, QImage::Format_Grayscale8);
    blank.fill(255);
    EXPECT_EQ(TextBands::cut(blank, 2), QList<QRect>{blank.rect()});
}

// A PDF chosen beside the photos: the scanned page is recognised, the typed page's own text taken,
// both shown a page apart; "Save searchable PDF" writes a copy into History whose scanned page
// now holds its words. A protected PDF asks for its password (Cancel leaves the screen as it was),
// a damaged one says so and stays on the screen.
TEST_F(Ocr, APdfIsReadPageByPageAndSavedSearchable)
{
    const QString in = p.root.path() + QStringLiteral("/two.pdf");
    ASSERT_TRUE(
        samplepdfs::writeScannedAndTyped(in, "Searchable pages help everyone", "Typed words"));
    const QString locked = p.root.path() + QStringLiteral("/locked.pdf");
    ASSERT_TRUE(samplepdfs::writeScannedAndTyped(locked, "a", "b", "s3cret"));
    const QString broken = p.root.path() + QStringLiteral("/broken.pdf");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.7\n1 0 obj << /Type /Catalog >> garbage");
    file.close();

    p.navigator->setRoot(new HomeScreen(p.services));
    auto* picker = new SelectImageScreen(p.services);
    picker->setSelectedJob(SelectedJob::ExtractText);
    p.navigator->push(picker);
    ASSERT_TRUE(picker->acceptsPdf());
    const auto pick = [&](const QString& path) {
        picker->didPickDocument(QUrl::fromLocalFile(path));
        screen = qobject_cast<ExtractTextScreen*>(p.navigator->top());
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->pdfFilePath(), path);
    };

    pick(locked);
    PasswordPrompt* prompt = screen->passwordPrompt();
    extract();
    ASSERT_TRUE(prompt->asking());
    prompt->cancel();
    EXPECT_EQ(p.navigator->top(), screen);
    EXPECT_FALSE(prompt->asking() || screen->extracting());
    extract();
    prompt->submit("wrong");
    p.drain();
    EXPECT_EQ(prompt->message(), "That password does not open the PDF. Try again.");
    prompt->submit("s3cret");
    p.drain();
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->tvText().split(QLatin1Char('\f')).value(1).trimmed(), "b");
    result()->btnBack();
    screen->btnBack();
    EXPECT_TRUE(p.alerts.presented().empty());

    pick(broken);
    extract();
    EXPECT_EQ(p.navigator->top(), screen);
    ASSERT_FALSE(p.alerts.presented().empty());
    EXPECT_TRUE(p.alerts.presented().back().message.contains("could not be opened"));
    screen->btnBack();

    pick(in);
    QMutex mutex;
    QStringList reported;
    screen->job().setObserver([&](int done, int total, const QString&) {
        const QMutexLocker lock(&mutex);
        reported << QStringLiteral("%1 of %2").arg(done).arg(total);
    });
    extract();
    ASSERT_NE(result(), nullptr) << p.alerts.presented().back().message.toStdString();
    EXPECT_TRUE(reported.contains("1 of 2") && reported.contains("2 of 2"))
        << reported.join(", ").toStdString();
    const QStringList pages = result()->tvText().split(QLatin1Char('\f'));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains("everyone")) << pages[0].toStdString();
    EXPECT_EQ(pages[1].trimmed(), QStringLiteral("Typed words"));
    EXPECT_TRUE(result()->ivImage().isEmpty());
    ASSERT_TRUE(result()->searchableVisible());

    result()->btnSaveSearchable();
    p.drain();
    ASSERT_EQ(p.history->count(), 1);
    const QString saved = p.history->at(0).toLocalFile();
    EXPECT_TRUE(saved.endsWith(".pdf"));
    QPdfDocument doc;
    ASSERT_EQ(doc.load(saved), QPdfDocument::Error::None);
    EXPECT_TRUE(doc.getAllText(0).text().contains("everyone"))
        << doc.getAllText(0).text().toStdString();
    EXPECT_EQ(doc.getAllText(1).text().trimmed(), QStringLiteral("Typed words"));
    EXPECT_EQ(p.overlay->status(), QStringLiteral("Saved!"));
    // Saved again, it is a second file: nothing is overwritten.
    result()->btnSaveSearchable();
    p.drain();
    EXPECT_EQ(p.history->count(), 2);
    EXPECT_NE(p.history->at(0).toLocalFile(), saved);
}
