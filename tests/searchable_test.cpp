// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ocr/RecognitionLanguages.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"
#include "support/TestPlatform.h"
#include "ui/ProgressOverlay.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QMutex>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {
const QStringList kLines = {"Quire keeps searchable documents", "The quick brown fox jumps",
                            "over the lazy dog in 2026"};

// A printed page, and the pixel box of each word on it.
QImage printed(QMap<QString, QRectF>& words)
{
    QImage page(1100, 700, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    fixtures::useTextFont(painter, 44);
    const QFontMetricsF metrics(painter.font());
    for (int i = 0; i < kLines.size(); ++i) {
        const qreal baseline = 160 + 150 * i;
        qreal x = 70;
        for (const QString& word : kLines[i].split(' ')) {
            painter.drawText(QPointF(x, baseline), word);
            words[word] = metrics.tightBoundingRect(word).translated(x, baseline);
            x += metrics.horizontalAdvance(word + ' ');
        }
    }
    return page;
}

QString oneLine(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

} // namespace

// One page as it was drawn, one stored sideways (EXIF says turn it) and fitted on A4: the text
// read back with Qt PDF's text API is the printed text, and each word's box lies on its pixels.
TEST(SearchablePdf, TheTextLayerHoldsThePrintedWordsWhereTheyArePrinted)
{
    TestPlatform p;
    QMap<QString, QRectF> words;
    const QImage upright = printed(words);
    const QString sideways = p.root.path() + "/sideways.jpg";
    ASSERT_TRUE(fixtures::writeJpeg(upright.transformed(QTransform().rotate(-90)), sideways, 6));
    const QList<Image> pages = {Image::fromQImage(upright), Image::fromFile(sideways)};

    auto* screen = new ImageToPDFScreen(p.services);
    p.navigator->setRoot(screen);
    screen->setArrOfSelectedImages(pages);
    screen->setPaperSize("a4");
    screen->setSearchable(true);
    QMutex mutex; // pages are read on several threads at once
    QStringList reported;
    screen->job().setObserver([&](int done, int total, const QString& label) {
        const QMutexLocker lock(&mutex);
        reported << QStringLiteral("%1: %2 of %3").arg(label).arg(done).arg(total);
    });
    screen->btnConvert();
    p.drain();
    ASSERT_FALSE(screen->pdfFilePath().isEmpty()) << p.alerts.presented().size();
    // Two pages are counted as two in each stage: read, then written.
    EXPECT_TRUE(reported.contains("Reading the text of the pages: 2 of 2"))
        << reported.join(", ").toStdString();
    EXPECT_TRUE(reported.filter(" of 2").size() == reported.size())
        << reported.join(", ").toStdString();
    EXPECT_TRUE(reported.last().endsWith("2 of 2")) << reported.join(", ").toStdString();

    QPdfDocument doc;
    ASSERT_EQ(doc.load(screen->pdfFilePath()), QPdfDocument::Error::None);
    ASSERT_EQ(doc.pageCount(), 2);
    for (int page = 0; page < 2; ++page) {
        const QString text = doc.getAllText(page).text();
        EXPECT_EQ(oneLine(text), kLines.join(' ')) << "page " << page;
        // Where the photo lies on the page, in points from the top left.
        const QSizeF box = doc.pagePointSize(page);
        const PageSetup::Placement at = screen->pageSetup().place(pages[page].size());
        const QRectF photo(at.image.x(), box.height() - at.image.bottom(), at.image.width(),
                           at.image.height());
        const qreal scale = photo.width() / upright.width();
        for (const QString word : {"searchable", "fox", "2026"}) {
            const qsizetype index = text.indexOf(word);
            ASSERT_GE(index, 0) << word.toStdString();
            const QRectF found =
                doc.getSelectionAtIndex(page, int(index), int(word.size())).boundingRectangle();
            const QRectF printedAt(photo.topLeft() + words[word].topLeft() * scale,
                                   words[word].size() * scale);
            EXPECT_TRUE(printedAt.adjusted(-2, -2, 2, 2).contains(found.center()))
                << word.toStdString() << " on page " << page << ": found at " << found.x() << ','
                << found.y() << ' ' << found.width() << 'x' << found.height() << ", printed at "
                << printedAt.x() << ',' << printedAt.y() << ' ' << printedAt.width() << 'x'
                << printedAt.height();
            EXPECT_TRUE(found.contains(printedAt.center()))
                << word.toStdString() << " on page " << page;
        }
    }
    // The photos themselves are as they were: the JPEG's own bytes.
    QFile jpeg(sideways);
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    EXPECT_EQ(samplepdfs::embeddedImage(screen->pdfFilePath(), 1), jpeg.readAll());
}

// Searchable PDFs read with the languages chosen in the settings; missing data is named. Reading
// runs under the overlay, page by page, and Cancel part way leaves nothing behind.
TEST(SearchablePdf, AMissingLanguageIsNamedAndACancelledReadingWritesNothing)
{
    TestPlatform p;
    p.defaults.setValue("recognitionLanguages", "eng+zzz");
    RecognitionLanguages languages(&p.defaults);
    p.services.languages = &languages;
    auto* screen = new ImageToPDFScreen(p.services);
    p.navigator->setRoot(screen);
    screen->setArrOfSelectedImages({Image::fromQImage(fixtures::photo(300, 200))});
    screen->setSearchable(true);
    screen->btnConvert();
    p.drain();
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_TRUE(p.alerts.presented().front().message.contains("tesseract-ocr-zzz"));
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_EQ(p.navigator->depth(), 1);

    p.alerts.respond(0);

    languages.setChosen("zzz", false);
    QMap<QString, QRectF> words;
    const Image page = Image::fromQImage(printed(words));
    screen->setArrOfSelectedImages({page, page, page});
    QMutex mutex;
    QStringList reported;
    screen->job().setObserver([&](int done, int total, const QString& label) {
        const QMutexLocker lock(&mutex);
        if (done > 0)
            reported << QStringLiteral("of %1: %2").arg(total).arg(label);
        if (done >= 1)
            p.overlay->cancel();
    });
    screen->btnConvert();
    p.drain();
    EXPECT_EQ(screen->job().state(), Job::Cancelled);
    ASSERT_FALSE(reported.isEmpty());
    EXPECT_EQ(reported.first(), "of 3: Reading the text of the pages");
    EXPECT_TRUE(screen->pdfFilePath().isEmpty());
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_TRUE(QDir(p.historyPath()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(p.alerts.presented().size(), 1u);
}
