// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ViewController.h"
#include "common/JobControl.h"
#include "common/OwnedFolders.h"
#include "home/HomeScreen.h"
#include "screens/toimages/ImagePreviewScreen.h"
#include "screens/toimages/PDFToImageScreen.h"
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"
#include "support/TestPlatform.h"
#include "toimages/PageRenderer.h"
#include "viewer/ViewImageScreen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
constexpr qint64 T = 1700000000;

HomeScreen* launchHome(TestPlatform& p)
{
    p.navigator->setRoot(new ViewController(p.services));
    p.queues.advance(0.5);
    return qobject_cast<HomeScreen*>(p.navigator->top());
}

// Home, then the conversion screen for pdfPath, as the document picker leaves it.
PDFToImageScreen* openConversion(TestPlatform& p, const QString& pdfPath)
{
    HomeScreen* home = launchHome(p);
    home->didPickDocument(QUrl::fromLocalFile(pdfPath));
    return qobject_cast<PDFToImageScreen*>(p.navigator->top());
}

// Taps Convert and runs everything it queues; returns what the console got.
std::string convert(TestPlatform& p, PDFToImageScreen* screen)
{
    testing::internal::CaptureStderr();
    screen->btnConvert();
    p.drain();
    return testing::internal::GetCapturedStderr();
}

QString historyFile(TestPlatform& p, const QString& name)
{
    return p.historyPath() + QLatin1Char('/') + name;
}

QStringList historyNames(TestPlatform& p)
{
    QStringList names;
    for (const QUrl& url : p.history->entries())
        names << url.fileName();
    return names;
}

QColor pixelAtPoint(const Image& image, QPointF points)
{
    return image.toQImage().pixelColor((points * image.scale()).toPoint());
}

int markerGrey(const Image& page)
{
    return pixelAtPoint(page, {130, 30}).red();
}
} // namespace

TEST(PDFToImage, ThreePagesBecomeNumberedFilesListedLastPageFirst)
{
    TestPlatform p;
    const QString pdf = p.root.path() + "/three.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 3));
    PDFToImageScreen* screen = openConversion(p, pdf);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->title(), "three.pdf");
    p.history->prepend(QUrl::fromLocalFile(historyFile(p, "earlier.pdf")));

    std::vector<QString> overlayStates;
    QObject::connect(p.overlay.get(), &ProgressOverlay::changed,
                     [&] { overlayStates.push_back(p.overlay->status()); });
    EXPECT_EQ(convert(p, screen), "");

    EXPECT_EQ(overlayStates.front(), "Converting...");
    EXPECT_FALSE(p.overlay->visible());
    EXPECT_EQ(screen->imgPath(), p.historyPath());
    for (const char* name : {"1700000000.png", "1700000001.png", "1700000002.png"})
        EXPECT_TRUE(QFileInfo::exists(historyFile(p, name))) << name;
    EXPECT_EQ(historyNames(p),
              QStringList({"1700000002.png", "1700000001.png", "1700000000.png", "earlier.pdf"}));

    const QList<Image> pages = screen->arrOfImages();
    ASSERT_EQ(pages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(pages[i].hasSource()) << "a handle on the written file, not a bitmap";
        EXPECT_EQ(QFileInfo(pages[i].sourcePath()).fileName(), QString::number(T + i) + ".png");
        EXPECT_NEAR(markerGrey(pages[i]), samplepdfs::greyOf(i), 2) << "page " << i;
    }
    auto* gallery = qobject_cast<ImagePreviewScreen*>(p.navigator->top());
    ASSERT_NE(gallery, nullptr);
    EXPECT_EQ(gallery->arrOfImages(), pages);
    EXPECT_TRUE(p.alerts.presented().empty());
}

TEST(PDFToImage, PagesComeOutAtTheirPointSizeOnWhiteAndUpright)
{
    TestPlatform p;
    const QString letter = p.root.path() + "/letter.pdf";
    const QString turned = p.root.path() + "/turned.pdf";
    ASSERT_TRUE(samplepdfs::write(letter, 2));
    ASSERT_TRUE(samplepdfs::qpdf(letter, turned, {"--rotate=+90:2"}));

    PageRenderer renderer(*p.history, 2.0);
    JobControl job;
    const PageRenderer::Result r = renderer.render(turned, T, job);
    ASSERT_EQ(r.images.size(), 2u);
    const Image& upright = r.images[0];
    EXPECT_EQ(upright.size(), QSizeF(612, 792));
    EXPECT_EQ(upright.pixelSize(), QSize(1224, 1584));
    const QImage pixels = QImage(upright.sourcePath());
    EXPECT_FALSE(pixels.hasAlphaChannel());
    EXPECT_EQ(pixelAtPoint(upright, {20, 20}), QColor(Qt::red));
    EXPECT_EQ(pixelAtPoint(upright, {600, 780}), QColor(Qt::white));
    EXPECT_EQ(pixelAtPoint(upright, {300, 100}), QColor(Qt::white));

    // A page turned a quarter clockwise is shown landscape, its top-left corner now top-right.
    const Image& landscape = r.images[1];
    EXPECT_EQ(landscape.size(), QSizeF(792, 612));
    EXPECT_EQ(pixelAtPoint(landscape, {770, 20}), QColor(Qt::red));
    EXPECT_EQ(pixelAtPoint(landscape, {20, 20}), QColor(Qt::white));

    // A finer display gives more pixels, never fewer points.
    PageRenderer fine(*p.history, 3.0);
    const PageRenderer::Result f = fine.render(letter, T + 10, job);
    ASSERT_EQ(f.images.size(), 2u);
    EXPECT_EQ(f.images[0].pixelSize(), QSize(1836, 2376));
    EXPECT_EQ(f.images[0].size(), QSizeF(612, 792));
    EXPECT_GE(PageRenderer::displayScale(), 2.0);
    // A resolution asked for in dots per inch: 300 dpi makes a Letter page 2550 x 3300.
    PageRenderer::Options options;
    options.scale = PageRenderer::Options::scaleForDpi(300);
    options.folder = p.root.path();
    const PageRenderer::Result dpi = PageRenderer(*p.history, options).render(letter, 1, job);
    ASSERT_EQ(dpi.images.size(), 2u);
    EXPECT_EQ(QImage(dpi.images[0].sourcePath()).size(), QSize(2550, 3300));
}

TEST(PDFToImage, HugePageIsDrawnAtALowerScaleButKeepsItsPointSize)
{
    TestPlatform p;
    const QString poster = p.root.path() + "/poster.pdf";
    ASSERT_TRUE(samplepdfs::write(poster, 1, QSizeF(14000, 14000)));
    PageRenderer renderer(*p.history, 2.0);
    JobControl job;
    const PageRenderer::Result r = renderer.render(poster, T, job);
    ASSERT_EQ(r.images.size(), 1u);
    const QSize px = r.images[0].pixelSize();
    EXPECT_LE(qint64(px.width()) * px.height(), PageRenderer::maxPixelsPerPage);
    EXPECT_NEAR(r.images[0].size().width(), 14000, 1);
}

TEST(PDFToImage, RendererReportsEachPageAndDrawsNoneOnceCancelled)
{
    TestPlatform p;
    const QString pdf = p.root.path() + "/five.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 5));
    QStringList labels;
    JobControl job([&](int done, int total, const QString& label) {
        if (done > 0)
            labels << QStringLiteral("%1 %2 %3").arg(done).arg(total).arg(label);
    });
    PageRenderer renderer(*p.history, 1.0);
    const PageRenderer::Result r = renderer.render(pdf, T, job);
    EXPECT_FALSE(r.cancelled);
    EXPECT_EQ(r.images.size(), 5u);
    EXPECT_EQ(labels, QStringList({"1 5 page 1/5", "2 5 page 2/5", "3 5 page 3/5", "4 5 page 4/5",
                                   "5 5 page 5/5"}));

    JobControl stopped;
    stopped.cancel();
    const PageRenderer::Result none = renderer.render(pdf, T + 10, stopped);
    EXPECT_TRUE(none.cancelled);
    EXPECT_TRUE(none.images.empty());
    EXPECT_EQ(p.history->count(), 5);
}

TEST(PDFToImage, UnreadableOrEmptyFileAlertsInsteadOfAnEmptyGallery)
{
    TestPlatform p;
    const QString broken = p.root.path() + "/broken.pdf";
    const QString none = p.root.path() + "/none.pdf";
    ASSERT_TRUE(fixtures::writeFile(broken, "%PDF-1.4\nthis is not a pdf"));
    ASSERT_TRUE(samplepdfs::qpdf("--empty", none, {}));
    HomeScreen* home = launchHome(p);

    const std::pair<QString, QString> cases[] = {{broken, "The PDF could not be opened"},
                                                 {none, "The PDF has no pages."}};
    for (const auto& [path, message] : cases) {
        home->didPickDocument(QUrl::fromLocalFile(path));
        auto* screen = qobject_cast<PDFToImageScreen*>(p.navigator->top());
        ASSERT_NE(screen, nullptr);
        const size_t alertsBefore = p.alerts.presented().size();
        const std::string console = convert(p, screen);
        if (path != none) {
            EXPECT_EQ(console, "Error\n");
        }
        EXPECT_FALSE(screen->passwordPrompt()->asking());
        EXPECT_FALSE(p.overlay->visible());
        EXPECT_EQ(p.navigator->top(), screen) << "no gallery";
        ASSERT_EQ(p.alerts.presented().size(), alertsBefore + 1);
        EXPECT_TRUE(p.alerts.presented().back().message.startsWith(message))
            << p.alerts.presented().back().message.toStdString();
        screen->btnBack();
    }
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_FALSE(QFileInfo::exists(historyFile(p, "1700000000.png")));
}

TEST(PDFToImage, ALockedPdfShowsAndConvertsOnlyOnceItsPasswordIsGiven)
{
    TestPlatform p;
    const QString plain = p.root.path() + "/plain.pdf";
    const QString locked = p.root.path() + "/locked.pdf";
    ASSERT_TRUE(samplepdfs::write(plain, 2));
    ASSERT_TRUE(samplepdfs::qpdf(plain, locked, {"--encrypt", "secret", "owner", "256", "--"}));
    HomeScreen* home = launchHome(p);

    // Cancel backs out to Home.
    home->didPickDocument(QUrl::fromLocalFile(locked));
    auto* screen = qobject_cast<PDFToImageScreen*>(p.navigator->top());
    ASSERT_NE(screen, nullptr);
    p.drain();
    EXPECT_TRUE(screen->passwordPrompt()->asking());
    EXPECT_TRUE(screen->documentUrl().isEmpty());
    screen->passwordPrompt()->cancel();
    EXPECT_EQ(p.navigator->top(), home);

    home->didPickDocument(QUrl::fromLocalFile(locked));
    screen = qobject_cast<PDFToImageScreen*>(p.navigator->top());
    ASSERT_NE(screen, nullptr);
    p.drain();
    screen->passwordPrompt()->submit("");
    EXPECT_EQ(screen->passwordPrompt()->message(), "Type the password of the PDF.");
    screen->passwordPrompt()->submit("owner?");
    p.drain();
    EXPECT_EQ(screen->passwordPrompt()->message(),
              "That password does not open the PDF. Try again.");
    EXPECT_TRUE(screen->documentUrl().isEmpty());
    screen->passwordPrompt()->submit("secret");
    p.drain();
    EXPECT_FALSE(screen->passwordPrompt()->asking());
    EXPECT_FALSE(screen->documentUrl().isEmpty());
    convert(p, screen);
    ASSERT_EQ(p.navigator->top()->screenName(), "ImagePreviewScreen");
    EXPECT_EQ(historyNames(p), QStringList({"1700000001.png", "1700000000.png"}));
    const QList<Image> pages = screen->arrOfImages();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_NEAR(markerGrey(pages[1]), samplepdfs::greyOf(1), 2);
}

TEST(PDFToImage, PagesMissingPartWayKeepTheOthersAndTheAlertCountsThem)
{
    TestPlatform p;
    const QString pdf = p.root.path() + "/short.pdf";
    ASSERT_TRUE(samplepdfs::writeShortPageTree(pdf, 5, 2));
    PDFToImageScreen* screen = openConversion(p, pdf);
    EXPECT_EQ(convert(p, screen), "Error\nError\nError\n");

    auto* gallery = qobject_cast<ImagePreviewScreen*>(p.navigator->top());
    ASSERT_NE(gallery, nullptr);
    EXPECT_EQ(gallery->arrOfImages().size(), 2);
    EXPECT_EQ(historyNames(p), QStringList({"1700000001.png", "1700000000.png"}));
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(p.alerts.presented()[0].message,
              "3 of 5 pages could not be converted (page 3: could not be drawn; page 4: could not "
              "be drawn; page 5: could not be drawn).");
}

TEST(PDFToImage, APageThatHangsOrCrashesItsWorkerCostsThatPageOnly)
{
    TestPlatform p;
    const QString pdf = p.root.path() + "/five.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 5));
    // The helper hangs on page 2 and crashes on page 4, where Poppler fails as well; the limit is
    // cut to a few seconds, still far above a page's drawing time on a busy machine.
    const fixtures::ScopedEnv fault("QUIRE_PDF_WORKER_FAULT", "hang:2,crash:4,fail:poppler-4");
    const fixtures::ScopedEnv limit("QUIRE_PAGE_TIMEOUT", "5");
    PDFToImageScreen* screen = openConversion(p, pdf);
    EXPECT_EQ(convert(p, screen), "Error\n");

    auto* gallery = qobject_cast<ImagePreviewScreen*>(p.navigator->top());
    ASSERT_NE(gallery, nullptr);
    const QList<Image> pages = gallery->arrOfImages();
    ASSERT_EQ(pages.size(), 4);
    for (int i : {0, 1, 2, 3})
        EXPECT_NEAR(markerGrey(pages[i]), samplepdfs::greyOf(i < 3 ? i : 4), 2) << "pages 1-3, 5";
    EXPECT_EQ(historyNames(p), QStringList({"1700000004.png", "1700000002.png", "1700000001.png",
                                            "1700000000.png"}));
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(p.alerts.presented()[0].message,
              "1 of 5 pages could not be converted (page 4: the PDF library stopped, and with "
              "Poppler could not be drawn).");

    // A document that hangs as it opens is given up on in the same time.
    const fixtures::ScopedEnv stuck("QUIRE_PDF_WORKER_FAULT", "hang:open");
    JobControl job;
    PageRenderer renderer(*p.history, 1.0);
    const PageRenderer::Result r = renderer.render(pdf, T + 10, job);
    EXPECT_FALSE(r.opened);
    EXPECT_EQ(r.openError, "took too long to open");
}

TEST(PDFToImage, SecondConversionStartsAfreshAndTakenNamesAreNotOverwritten)
{
    TestPlatform p;
    const QString pdf = p.root.path() + "/three.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 3));
    QDir().mkpath(p.historyPath());
    ASSERT_TRUE(fixtures::writeFile(historyFile(p, "1700000001.png"), "someone else's"));
    PDFToImageScreen* screen = openConversion(p, pdf);
    convert(p, screen);

    EXPECT_EQ(fixtures::readFile(historyFile(p, "1700000001.png")), "someone else's");
    ASSERT_EQ(screen->arrOfImages().size(), 3);
    EXPECT_EQ(QFileInfo(screen->arrOfImages()[1].sourcePath()).fileName(), "1700000001-2.png");
    EXPECT_EQ(historyNames(p).first(), "1700000002.png");
    EXPECT_TRUE(historyNames(p).contains("1700000001-2.png"));

    // Back on the conversion screen a second run one second later: a new list, new numbers.
    p.navigator->popTo(screen);
    p.clock.set(T + 1.2);
    convert(p, screen);
    ASSERT_EQ(screen->arrOfImages().size(), 3);
    EXPECT_EQ(QFileInfo(screen->arrOfImages()[0].sourcePath()).fileName(), "1700000001-3.png");
    EXPECT_EQ(QFileInfo(screen->arrOfImages()[1].sourcePath()).fileName(), "1700000002-2.png");
    EXPECT_EQ(QFileInfo(screen->arrOfImages()[2].sourcePath()).fileName(), "1700000003.png");
    EXPECT_EQ(p.history->count(), 6);

    // Back empties the list and leaves.
    p.navigator->popTo(screen);
    screen->btnBack();
    EXPECT_TRUE(screen->arrOfImages().isEmpty());
    EXPECT_EQ(p.navigator->top()->screenName(), "HomeScreen");
}

TEST(PDFToImage, PagesThatCannotBeWrittenAreNotKeptAndTheUserIsToldWhy)
{
    TestPlatform p;
    const QString pdf = p.root.path() + "/two.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 2));
    ASSERT_TRUE(fixtures::writeFile(p.historyPath(), "a file where the folder should be"));
    PDFToImageScreen* screen = openConversion(p, pdf);
    convert(p, screen);

    EXPECT_EQ(p.navigator->top(), screen);
    EXPECT_TRUE(screen->arrOfImages().isEmpty());
    EXPECT_EQ(p.history->count(), 0);
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(
        p.alerts.presented()[0].message,
        QString("2 of 2 pages could not be written: %1 is not a folder.").arg(p.historyPath()));
}

TEST(DocumentPicker, PickedFileIsCopiedIntoTheInboxUnderItsOwnName)
{
    TestPlatform p;
    HomeScreen* home = launchHome(p);
    QDir().mkpath(p.root.path() + "/Downloads");
    const QString original = p.root.path() + "/Downloads/report.pdf";
    ASSERT_TRUE(samplepdfs::write(original, 1));
    const QByteArray bytes = fixtures::readFile(original);

    home->didPickDocument(QUrl::fromLocalFile(original));
    const QString first = home->pdfFilePath();
    EXPECT_TRUE(first.startsWith(p.services.locations.inbox + "/"));
    EXPECT_EQ(QFileInfo(first).fileName(), "report.pdf");
    QFile copy(first);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), bytes);
    auto* screen = qobject_cast<PDFToImageScreen*>(p.navigator->top());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->pdfFilePath(), first);
    EXPECT_EQ(screen->title(), "report.pdf");

    // The same name picked again is a new copy; the first stays as it was.
    p.navigator->popTo(home);
    home->didPickDocument(QUrl::fromLocalFile(original));
    EXPECT_NE(home->pdfFilePath(), first);
    EXPECT_EQ(QFileInfo(home->pdfFilePath()).fileName(), "report.pdf");
    EXPECT_TRUE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo::exists(original));

    // Copies left by a run that was killed go at the next start; this run's stay until it ends.
    const QString inbox = p.services.locations.inbox;
    ASSERT_TRUE(QDir().mkpath(inbox + "/999999999-1") && QDir().mkpath(inbox + "/7"));
    OwnedFolders::removeStale(inbox, {});
    EXPECT_FALSE(QFileInfo::exists(inbox + "/999999999-1"));
    EXPECT_FALSE(QFileInfo::exists(inbox + "/7"));
    EXPECT_TRUE(QFileInfo::exists(first));
    OwnedFolders::removeOwn(inbox, {});
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo::exists(original));
}

TEST(DocumentPicker, AMissingFileIsRefused)
{
    TestPlatform p;
    HomeScreen* home = launchHome(p);
    testing::internal::CaptureStderr();
    home->didPickDocument(QUrl::fromLocalFile(p.root.path() + "/gone.pdf"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(p.navigator->top(), home);
    EXPECT_TRUE(home->pdfFilePath().isEmpty());
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(p.alerts.presented()[0].message, "The PDF could not be opened.");
}

namespace {
// The gallery on top of home, holding count page images written as PNG files.
ImagePreviewScreen* openGallery(TestPlatform& p, int count, QList<Image>& pages)
{
    const QString pdf = p.root.path() + "/pages.pdf";
    EXPECT_TRUE(samplepdfs::write(pdf, count));
    convert(p, openConversion(p, pdf));
    auto* gallery = qobject_cast<ImagePreviewScreen*>(p.navigator->top());
    if (gallery)
        pages = gallery->arrOfImages();
    return gallery;
}
} // namespace

TEST(PageGallery, TappingAnItemShowsThatPageAloneAndShareOffersEveryPageOrJustThatOne)
{
    TestPlatform p;
    QList<Image> pages;
    ImagePreviewScreen* gallery = openGallery(p, 3, pages);
    ASSERT_NE(gallery, nullptr);
    ASSERT_EQ(gallery->imageUrls().size(), 3);
    EXPECT_EQ(Image::lookup(gallery->imageUrls()[2].path().mid(1).toULongLong()), pages[2]);
    EXPECT_EQ(ImagePreviewScreen::sizeForItem({390, 700}), QSizeF(390, 700));
    gallery->btnShare();
    ASSERT_EQ(p.share.presented().size(), 1);
    const QList<ShareItem>& items = p.share.presented()[0];
    ASSERT_EQ(items.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i].kind, ShareItem::Picture);
        EXPECT_EQ(items[i].image, pages[i]);
    }

    gallery->didSelectItem(1);
    auto* viewer = qobject_cast<ViewImageScreen*>(p.navigator->top());
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(gallery->selectedImage(), pages[1]);
    EXPECT_EQ(viewer->selectedImage(), pages[1]);
    EXPECT_EQ(Image::lookup(viewer->ivImage().path().mid(1).toULongLong()), pages[1]);
    EXPECT_EQ(viewer->imageSize(), QSizeF(612, 792));
    viewer->btnShare();
    ASSERT_EQ(p.share.presented().size(), 2);
    ASSERT_EQ(p.share.presented()[1].size(), 1);
    EXPECT_EQ(p.share.presented()[1][0].image, pages[1]);

    viewer->btnBack();
    EXPECT_EQ(p.navigator->top(), gallery);
    gallery->btnHome();
    EXPECT_EQ(p.navigator->top()->screenName(), "HomeScreen");
}
