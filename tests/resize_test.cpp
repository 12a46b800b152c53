// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "resize/ImageResizer.h"
#include "screens/resize/ResizeImagePreviewScreen.h"
#include "screens/resize/ResizeImageScreen.h"
#include "support/Fixtures.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {
const QString W = "tfImageWIdth";
const QString H = "tfImageheight";

// Home with the resize screen over it, given one photo of size as the picker leaves it.
ResizeImageScreen* open(TestPlatform& p, QSize size = {4032, 3024})
{
    p.navigator->setRoot(new HomeScreen(p.services));
    auto* screen = new ResizeImageScreen(p.services);
    screen->setArrOfSelectedImages(
        {Image::fromQImage(fixtures::photo(size.width(), size.height()))});
    p.navigator->push(screen);
    return screen;
}

// Types each character at the end of field, as a keyboard would.
void type(ResizeImageScreen* s, const QString& field, const QString& keys,
          QStringList* other = nullptr)
{
    for (QChar key : keys) {
        const QString current = field == W ? s->tfImageWIdth() : s->tfImageheight();
        EXPECT_TRUE(s->shouldChangeCharactersIn(field, int(current.size()), 0, QString(key)));
        if (other)
            *other << (field == W ? s->tfImageheight() : s->tfImageWIdth());
    }
}

void backspace(ResizeImageScreen* s, const QString& field)
{
    const QString current = field == W ? s->tfImageWIdth() : s->tfImageheight();
    EXPECT_TRUE(s->shouldChangeCharactersIn(field, int(current.size()) - 1, 1, ""));
}

QString lastAlert(TestPlatform& p)
{
    return p.alerts.presented().empty() ? QString() : p.alerts.presented().back().message;
}
} // namespace

TEST(Resize, TypingKeepsTheOtherSideInProportion)
{
    TestPlatform p;
    ResizeImageScreen* s = open(p);
    QStringList heights;
    type(s, W, "1000", &heights);
    EXPECT_EQ(heights, QStringList({"1", "7", "75", "750"})); // never a side of 0 pixels
    backspace(s, W);
    EXPECT_EQ(s->tfImageWIdth(), "100");
    EXPECT_EQ(s->tfImageheight(), "75");
    backspace(s, W);
    backspace(s, W);
    backspace(s, W); // the last digit empties both
    EXPECT_EQ(s->tfImageWIdth(), "");
    EXPECT_EQ(s->tfImageheight(), "");

    QStringList widths;
    type(s, H, "300", &widths);
    EXPECT_EQ(widths, QStringList({"4", "40", "400"}));
    backspace(s, H);
    backspace(s, H);
    EXPECT_EQ(s->tfImageWIdth(), "4");
    backspace(s, H);
    EXPECT_EQ(s->tfImageWIdth(), "");
    EXPECT_EQ(s->tfImageheight(), "");
}

TEST(Resize, TheFilterRefusesNonDigitsReadsDigitsAsGoingAtTheEndAndGivesUpOnHugeNumbers)
{
    TestPlatform p;
    ResizeImageScreen* s = open(p);
    type(s, W, "12");
    EXPECT_FALSE(s->shouldChangeCharactersIn(W, 2, 0, "3a"));
    EXPECT_FALSE(s->shouldChangeCharactersIn(W, 0, 0, "-"));
    EXPECT_FALSE(s->shouldChangeCharactersIn(W, 0, 2, " "));
    EXPECT_EQ(s->tfImageWIdth(), "12");
    // What was left out is said beside the field until the field is emptied.
    EXPECT_EQ(s->widthMessage(), "Digits only: “3a- ” left out.");
    EXPECT_EQ(s->heightMessage(), "");
    // A digit typed in front still counts as going at the end for the other side.
    EXPECT_TRUE(s->shouldChangeCharactersIn(W, 0, 0, "4"));
    EXPECT_EQ(s->tfImageWIdth(), "412");
    EXPECT_EQ(s->tfImageheight(), "93"); // 124 × 0.75
    // The QML field reports whole texts; a refused one is put back.
    s->textFieldEdited(W, "41x2");
    EXPECT_EQ(s->tfImageWIdth(), "412");
    s->textFieldEdited(W, "4123");
    EXPECT_EQ(s->tfImageWIdth(), "4123");
    EXPECT_EQ(s->tfImageheight(), "3092");

    // Typed key by key, "abc12x-3.5" keeps its digits and says what it did not take.
    s->textFieldEdited(W, "");
    EXPECT_EQ(s->widthMessage(), "");
    for (QChar key : QString("abc12x-3.5"))
        s->textFieldEdited(W, s->tfImageWIdth() + key);
    EXPECT_EQ(s->tfImageWIdth(), "1235");
    EXPECT_EQ(s->widthMessage(), "Digits only: “abcx-.” left out.");

    // A number too long to read leaves the other side empty, and the limit is said beside it;
    // Resize then does nothing rather than ask for a height.
    s->textFieldEdited(W, "");
    type(s, W, QString(25, '9'));
    EXPECT_EQ(s->tfImageWIdth(), QString(25, '9'));
    EXPECT_EQ(s->tfImageheight(), "");
    EXPECT_EQ(s->widthMessage(), "At most 20000 pixels a side and 200 megapixels in all.");
    s->btnReize();
    EXPECT_TRUE(p.alerts.presented().empty());
    type(s, H, QString(60, '9'));
    EXPECT_EQ(s->tfImageWIdth(), "");
}

// The switch changes message and result but never the typed values; kept proportions fit the
// box, stretching fills it, and the result is a PNG in History named by seconds, handed on.
TEST(Resize, TheSwitchDecidesBetweenFittingAndStretchingAndTheResultIsWrittenAndHandedOn)
{
    const QSizeF fitted = ImageResizer::drawingSize({4032, 3024}, 2000, 500, true);
    EXPECT_NEAR(fitted.width(), 666.67, 0.01);
    EXPECT_DOUBLE_EQ(fitted.height(), 500);
    EXPECT_EQ(ImageResizer::pixelSize(fitted), QSize(667, 500));

    TestPlatform p;
    ResizeImageScreen* s = open(p);
    EXPECT_EQ(s->lblImageOriginalSize(), "4032 X 3024");
    EXPECT_EQ(s->widthPlaceholder(), "Enter Width");
    EXPECT_EQ(s->heightPlaceholder(), "Enter Height");
    EXPECT_EQ(s->ivMaintainAspectRatio(), "on");
    EXPECT_EQ(s->lblMsg(), "You can specify only one dimentions (Width or Height). The second "
                           "one will calculated to preserve image aspect ratio.");
    s->btnAspectRatio();
    EXPECT_EQ(s->lblMsg(), "");
    EXPECT_EQ(s->ivMaintainAspectRatio(), "off");
    type(s, W, "2000");
    type(s, H, "500");
    s->btnAspectRatio();
    EXPECT_EQ(s->ivMaintainAspectRatio(), "on");
    EXPECT_EQ(s->tfImageWIdth(), "2000");
    EXPECT_EQ(s->tfImageheight(), "500");
    s->btnReize();
    EXPECT_TRUE(p.overlay->visible());
    p.drain();
    EXPECT_FALSE(p.overlay->visible());
    EXPECT_EQ(s->croppedImage().pixelSize(), QSize(667, 500));
    EXPECT_EQ(s->croppedImage().scale(), 1.0);
    auto* preview = qobject_cast<ResizeImagePreviewScreen*>(p.navigator->top());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->croppedImage(), s->croppedImage());
    EXPECT_EQ(preview->sizeText(), "667 X 500");
    ASSERT_EQ(p.history->count(), 1);
    const QString path = p.history->at(0).toLocalFile();
    EXPECT_EQ(QFileInfo(path).fileName(), "1700000000.png");
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "png");
    EXPECT_EQ(reader.size(), QSize(667, 500));

    p.navigator->pop();
    s->btnAspectRatio();
    s->shouldChangeCharactersIn(W, 0, 4, "500");
    s->btnReize();
    p.drain();
    EXPECT_EQ(s->croppedImage().pixelSize(), QSize(500, 500));
    // Back on, a width whose height rounds down fits the box it makes.
    p.navigator->pop();
    s->btnAspectRatio();
    s->textFieldEdited(W, "");
    type(s, W, "1001");
    EXPECT_EQ(s->tfImageheight(), "750");
    s->btnReize();
    p.drain();
    EXPECT_EQ(s->croppedImage().pixelSize(), QSize(1000, 750));

    // A proportional side under a pixel becomes one pixel.
    s = open(p, {256, 1});
    type(s, W, "40");
    EXPECT_EQ(s->tfImageheight(), "1");
    s->btnReize();
    p.drain();
    EXPECT_EQ(s->croppedImage().pixelSize(), QSize(40, 1));
    EXPECT_TRUE(p.alerts.presented().empty());
}

TEST(Resize, AFailedHistoryWriteStillShowsTheResultAndSaysWhy)
{
    TestPlatform p;
    QDir(p.historyPath()).removeRecursively();
    ASSERT_TRUE(fixtures::writeFile(p.historyPath(), "a file where the folder was"));
    ResizeImageScreen* s = open(p, {64, 48});
    type(s, W, "32");
    s->btnReize();
    p.drain();
    EXPECT_NE(qobject_cast<ResizeImagePreviewScreen*>(p.navigator->top()), nullptr);
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_TRUE(lastAlert(p).startsWith("The resized image could not be saved: "))
        << lastAlert(p).toStdString();
}

TEST(Resize, EmptyZeroAndOversizedSizesDrawNothingAndSayWhy)
{
    TestPlatform p;
    ResizeImageScreen* s = open(p, {400, 300});
    s->btnReize();
    EXPECT_EQ(p.alerts.presented().back().title, "Opps");
    EXPECT_EQ(lastAlert(p), "Enter Width For Image");
    ASSERT_EQ(p.alerts.presented().back().actions.size(), 1u);
    EXPECT_EQ(p.alerts.presented().back().actions[0].title, "OK");
    s->btnAspectRatio();
    type(s, W, "10");
    s->btnReize();
    EXPECT_EQ(lastAlert(p), "Enter Height For Image");

    type(s, H, "0");
    s->btnReize();
    EXPECT_EQ(lastAlert(p), "Enter a width and a height of at least 1.");
    // Past the limit it is said beside the field last typed in, not in an alert.
    s->shouldChangeCharactersIn(H, 0, 1, "5");
    s->shouldChangeCharactersIn(W, 0, 2, QString(30, '9'));
    EXPECT_TRUE(s->widthMessage().startsWith("At most 20000 pixels a side"));
    s->btnReize();
    s->shouldChangeCharactersIn(W, 0, 30, "20001");
    EXPECT_TRUE(s->widthMessage().startsWith("At most 20000 pixels a side"));
    s->btnReize();
    s->shouldChangeCharactersIn(W, 0, 5, "15000");
    s->shouldChangeCharactersIn(H, 0, 1, "15000"); // 225 megapixels
    EXPECT_EQ(s->widthMessage(), "");
    EXPECT_TRUE(s->heightMessage().startsWith("At most 20000 pixels a side"));
    s->btnReize();
    p.drain();
    EXPECT_EQ(p.alerts.presented().size(), 3u);
    EXPECT_FALSE(p.overlay->visible());
    EXPECT_EQ(p.navigator->top(), s);
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_FALSE(QDir(p.historyPath()).exists() && !QDir(p.historyPath()).isEmpty());
}

TEST(Resize, ShrinkingAveragesInsteadOfPickingPixels)
{
    // Fine stripes average to grey; picking pixels would keep black or white.
    QImage stripes(1000, 100, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 2 ? 0xffffffff : 0xff000000);
    const QImage out = ImageResizer::draw(stripes, QSizeF(100, 10));
    ASSERT_EQ(out.size(), QSize(100, 10));
    for (int x = 0; x < 100; ++x)
        EXPECT_NEAR(qGray(out.pixel(x, 5)), 128, 12) << x;

    // The same through a JPEG that is shrunk while it is read, turned upright by its EXIF tag.
    TestPlatform p;
    const QString path = p.root.path() + "/turned.jpg";
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(1200, 800), path, 6));
    const Image photo = Image::fromFile(path);
    ASSERT_EQ(photo.pixelSize(), QSize(800, 1200));
    const QImage small = ImageResizer::draw(photo, QSizeF(100, 150));
    ASSERT_EQ(small.size(), QSize(100, 150));
    const QColor marker = small.pixel(90, 5); // the top-left corner, turned to the top right
    EXPECT_GT(marker.red(), 200);
    EXPECT_LT(marker.green(), 60);
}

TEST(ResizeResult, EachSaveThatWorksSaysSavedAndAFailedOneSaysWhy)
{
    TestPlatform p;
    auto* preview = new ResizeImagePreviewScreen(p.services);
    p.navigator->setRoot(preview); // no HomeScreen on the stack
    preview->setCroppedImage(Image::fromQImage(fixtures::photo(100, 75)));
    preview->btnSave();
    p.drain();
    EXPECT_EQ(p.overlay->state(), ProgressOverlay::Success);
    EXPECT_EQ(p.overlay->status(), "Saved!");
    p.queues.advance(5);
    EXPECT_FALSE(p.overlay->visible());
    preview->btnSave();
    p.drain();
    EXPECT_EQ(p.overlay->status(), "Saved!");
    ASSERT_EQ(p.photos.saved.size(), 2u);
    EXPECT_EQ(p.photos.saved[1], preview->croppedImage());

    p.photos.failSavesWith = "Permission denied";
    preview->btnSave();
    p.drain();
    EXPECT_EQ(p.overlay->state(), ProgressOverlay::Info);
    EXPECT_NE(p.overlay->status(), "Saved!");
    EXPECT_TRUE(p.overlay->status().contains("Permission denied"));
    EXPECT_EQ(p.photos.saved.size(), 2u);

    preview->btnShare();
    ASSERT_EQ(p.share.presented().size(), 1);
    ASSERT_EQ(p.share.presented()[0].size(), 1);
    EXPECT_EQ(p.share.presented()[0][0].image, preview->croppedImage());

    preview->btnHome();
    EXPECT_EQ(p.navigator->depth(), 1);
    EXPECT_EQ(p.navigator->top(), preview);
}
