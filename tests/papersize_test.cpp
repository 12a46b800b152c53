// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/topdf/ImageToPDFScreen.h"
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"
#include "support/TestPlatform.h"
#include "topdf/PdfWriter.h"

#include <QFile>
#include <QPdfDocument>

#include <gtest/gtest.h>

namespace {
constexpr qreal kMm = 72.0 / 25.4;

// A picture with no white in it and a red corner at its top left, to see where it landed.
QImage marked(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    for (int y = 0; y < h / 5; ++y)
        for (int x = 0; x < w / 5; ++x)
            image.setPixel(x, y, qRgb(220, 20, 20));
    return image;
}

struct Rendered
{
    QSizeF box;
    QRectF ink;  // the part that is not white, in points from the top left
    QPointF red; // the middle of the red corner
};

// The page drawn at one pixel per point, and where its picture lies.
Rendered inspect(const QString& path)
{
    QPdfDocument doc;
    doc.load(path);
    Rendered r;
    r.box = doc.pagePointSize(0);
    const QImage page = doc.render(0, r.box.toSize()).convertToFormat(QImage::Format_ARGB32);
    QRect ink, red;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y);
            if (qAlpha(p) > 128 && qBlue(p) < 200)
                ink |= QRect(x, y, 1, 1);
            if (qAlpha(p) > 128 && qRed(p) > 180 && qBlue(p) < 90)
                red |= QRect(x, y, 1, 1);
        }
    r.ink = QRectF(ink);
    r.red = QRectF(red).center();
    return r;
}

bool near(const QRectF& a, const QRectF& b, qreal within = 1.5)
{
    return std::abs(a.left() - b.left()) <= within && std::abs(a.top() - b.top()) <= within &&
           std::abs(a.right() - b.right()) <= within && std::abs(a.bottom() - b.bottom()) <= within;
}
} // namespace

// Each paper, a portrait, a landscape and a sideways-stored photo: the page turns with the photo,
// the photo fills the room inside the margin, centred, upright, and its JPEG bytes are the file's.
TEST(PaperSize, PhotosAreFittedCentredInsideTheMarginWithTheirBytesUntouched)
{
    QTemporaryDir dir;
    struct Case
    {
        PageSetup setup;
        QSize pixels;
        int orientation;
        QSizeF box;
        QRectF ink; // expected, points from the top left
    };
    const qreal a4w = 210 * kMm, a4h = 297 * kMm, m = 10 * kMm;
    // 1000 x 1500 on A4 with 10 mm: the height decides, 785.2 pt; the width follows.
    const qreal h1 = a4h - 2 * m, w1 = h1 * 1000 / 1500;
    // 1600 x 900 on landscape Letter with no margin: the width decides.
    const qreal h2 = 792.0 * 900 / 1600;
    // Stored 600 x 400 but EXIF says turn it: upright 400 x 600, so a portrait Letter page.
    const qreal w3 = (612 - 2 * m), h3 = w3 * 600 / 400;
    const qreal w3fit = h3 > 792 - 2 * m ? (792 - 2 * m) * 400 / 600 : w3;
    const qreal h3fit = w3fit * 600 / 400;
    const QList<Case> cases = {
        {{PageSetup::Paper::A4, 10}, {1000, 1500}, 1, {a4w, a4h}, {(a4w - w1) / 2, m, w1, h1}},
        {{PageSetup::Paper::Letter, 0}, {1600, 900}, 1, {792, 612}, {0, (612 - h2) / 2, 792, h2}},
        {{PageSetup::Paper::Letter, 10},
         {600, 400},
         6,
         {612, 792},
         {(612 - w3fit) / 2, (792 - h3fit) / 2, w3fit, h3fit}},
        {{PageSetup::Paper::Photo, 10}, {300, 200}, 1, {300, 200}, {0, 0, 300, 200}},
    };
    for (int i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const QString photo = dir.filePath(QStringLiteral("p%1.jpg").arg(i));
        // Stored as the camera lay: turned a quarter back when EXIF says turn it a quarter on.
        const QImage upright = c.orientation == 6 ? marked(c.pixels.height(), c.pixels.width())
                                                  : marked(c.pixels.width(), c.pixels.height());
        ASSERT_TRUE(fixtures::writeJpeg(
            c.orientation == 6 ? upright.transformed(QTransform().rotate(-90)) : upright, photo,
            c.orientation));
        const QString out = dir.filePath(QStringLiteral("p%1.pdf").arg(i));
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QString error;
        PdfWriter::Options options;
        options.setup = c.setup;
        ASSERT_TRUE(PdfWriter::write({Image::fromFile(photo)}, file, error, nullptr, options));
        file.close();

        const Rendered r = inspect(out);
        EXPECT_NEAR(r.box.width(), c.box.width(), 0.01) << "case " << i;
        EXPECT_NEAR(r.box.height(), c.box.height(), 0.01) << "case " << i;
        EXPECT_TRUE(near(r.ink, c.ink))
            << "case " << i << ": ink at " << r.ink.x() << ',' << r.ink.y() << ' ' << r.ink.width()
            << 'x' << r.ink.height();
        // Upright: the red corner is in the top-left fifth of the picture, however stored.
        EXPECT_LT(r.red.x() - r.ink.left(), r.ink.width() / 5) << "case " << i;
        EXPECT_LT(r.red.y() - r.ink.top(), r.ink.height() / 5) << "case " << i;

        QFile source(photo);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        EXPECT_EQ(samplepdfs::embeddedImage(out), source.readAll()) << "case " << i;
    }
}

TEST(PaperSize, MarginsAndKeysAreReadAsPeopleWriteThem)
{
    EXPECT_EQ(PageSetup::parseMarginMm("10mm"), 10.0);
    EXPECT_EQ(PageSetup::parseMarginMm("0"), 0.0);
    EXPECT_EQ(PageSetup::parseMarginMm("1cm"), 10.0);
    EXPECT_NEAR(*PageSetup::parseMarginMm("0.5in"), 12.7, 1e-9);
    EXPECT_NEAR(*PageSetup::parseMarginMm("72pt"), 25.4, 1e-9);
    for (const char* bad : {"", "-1mm", "ten", "5 furlongs"})
        EXPECT_FALSE(PageSetup::parseMarginMm(bad)) << bad;
    EXPECT_FALSE((PageSetup{PageSetup::Paper::A4, 105}.marginFits())); // nothing left of A4
    EXPECT_TRUE((PageSetup{PageSetup::Paper::A4, 0}.marginFits()));
    EXPECT_EQ(PageSetup::fromKey("LETTER"), PageSetup::Paper::Letter);
    EXPECT_FALSE(PageSetup::fromKey("a5"));
}

// Pages are moved and removed on the screen; the PDF has them in the order shown.
TEST(ImageToPDFScreen, ThePdfFollowsTheOrderAfterMovesAndARemoval)
{
    TestPlatform p;
    auto* screen = new ImageToPDFScreen(p.services);
    p.navigator->setRoot(screen);
    QList<Image> pages;
    for (int i = 0; i < 4; ++i) // told apart by width: 100, 110, 120, 130
        pages << Image::fromQImage(marked(100 + 10 * i, 80));
    screen->setArrOfSelectedImages(pages);

    screen->moveLater(0);   // B A C D
    screen->movePage(3, 0); // D B A C
    screen->moveEarlier(3); // D B C A
    screen->removePage(1);  // D C A
    screen->moveEarlier(0); // first stays first
    screen->moveLater(2);   // last stays last
    screen->removePage(7);  // no such page
    EXPECT_EQ(screen->arrOfSelectedImages(), (QList<Image>{pages[3], pages[2], pages[0]}));
    EXPECT_EQ(screen->pageImages().first(), pages[3].url());

    screen->btnConvert();
    p.drain();
    QPdfDocument doc;
    ASSERT_EQ(doc.load(screen->pdfFilePath()), QPdfDocument::Error::None);
    ASSERT_EQ(doc.pageCount(), 3);
    EXPECT_EQ(doc.pagePointSize(0).width(), 130);
    EXPECT_EQ(doc.pagePointSize(1).width(), 120);
    EXPECT_EQ(doc.pagePointSize(2).width(), 100);
}

// The paper chosen is used for the conversion and is still chosen on the next visit.
TEST(ImageToPDFScreen, ThePaperChosenIsUsedAndRemembered)
{
    TestPlatform p;
    auto* first = new ImageToPDFScreen(p.services);
    p.navigator->setRoot(first);
    EXPECT_EQ(first->paperSize(), "photo");
    EXPECT_EQ(first->marginMm(), 10);
    first->setPaperSize("letter");
    first->setMarginMm(0);
    first->setMarginMm(200);   // would leave no room: refused
    first->setPaperSize("a3"); // not offered: refused
    first->setArrOfSelectedImages({Image::fromQImage(marked(300, 200))});
    first->btnConvert();
    p.drain();
    QPdfDocument doc;
    ASSERT_EQ(doc.load(first->pdfFilePath()), QPdfDocument::Error::None);
    EXPECT_EQ(doc.pagePointSize(0), QSizeF(792, 612));

    ImageToPDFScreen again(p.services);
    EXPECT_EQ(again.paperSize(), "letter");
    EXPECT_EQ(again.marginMm(), 0);
}
