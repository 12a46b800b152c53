#include "ocr/ExtractTextScreen.h"
#include "support/Fixtures.h"
#include "support/Journey.h"

#include <QPainter>
#include <QTest>
#include <QTransform>

#include <gtest/gtest.h>

namespace {
// A portrait phone photo of a note on a desk, stored sideways with EXIF orientation 6.
QString notePhoto(const QString& folder, const QStringList& lines)
{
    QImage upright(1200, 1600, QImage::Format_RGB32);
    QPainter painter(&upright);
    QLinearGradient desk(0, 0, 1200, 1600);
    desk.setColorAt(0, QColor(120, 96, 70));
    desk.setColorAt(1, QColor(90, 70, 50));
    painter.fillRect(upright.rect(), desk);
    painter.fillRect(QRect(120, 200, 960, 1200), QColor(250, 249, 244));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(64);
    painter.setFont(font);
    painter.setPen(QColor(30, 30, 40));
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(200, 400 + 120 * i, lines[i]);
    painter.end();
    const QString path = folder + QStringLiteral("/note.jpg");
    EXPECT_TRUE(fixtures::writeJpeg(upright.transformed(QTransform().rotate(-90)), path, 6, 92));
    return path;
}
// The overlay has gone, its closing animation included, and takes no more touches.
bool hudGone(const Journey& j)
{
    auto* hud = j.window()->findChild<QObject*>(QStringLiteral("hud"));
    return fixtures::waitFor([&] { return hud && !hud->property("visible").toBool(); });
}
} // namespace

TEST(OcrJourney, ExtractTextCopyItAndGoHome)
{
    Journey j;
    j.platform.services.recognizer = &j.platform.tesseract;
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));

    // What the photo picker hands over after one tap on a photo.
    const QStringList lines = {"Meeting notes", "Ship the text screen", "before Friday"};
    const QString expected = lines.join('\n') + '\n';
    auto* extract = new ExtractTextScreen(j.platform.services);
    extract->setArrOfSelectedImages({Image::fromFile(notePhoto(j.platform.root.path(), lines))});
    j.platform.navigator->push(extract);
    ASSERT_TRUE(j.waitForScreen("ExtractTextScreen"));
    auto* photo = j.find("ivImage");
    ASSERT_NE(photo, nullptr);
    ASSERT_TRUE(fixtures::waitFor([&] { return photo->property("status").toInt() == 1; }));
    EXPECT_LT(photo->property("paintedWidth").toReal(), photo->property("paintedHeight").toReal());
    j.screenshot("extract");

    j.tap(j.find("rightBarButton"));
    ASSERT_TRUE(j.waitForScreen("TextScreen", 60000));
    auto* text = j.find("tvText");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->property("text").toString(), expected);
    ASSERT_TRUE(hudGone(j));
    j.screenshot("text");

    j.tap(j.find("btnCopy"));
    EXPECT_EQ(j.platform.clipboard.text(), expected);
    EXPECT_EQ(j.platform.overlay->status(), QStringLiteral("Copied!"));
    ASSERT_TRUE(hudGone(j));

    // Return keeps its line feed and puts the keyboard away.
    j.tap(text);
    ASSERT_TRUE(fixtures::waitFor([&] { return text->hasActiveFocus(); }));
    QTest::keyClick(j.window(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(j.window(), Qt::Key_Return);
    EXPECT_EQ(text->property("text").toString(), expected + '\n');
    EXPECT_FALSE(text->hasActiveFocus());
    EXPECT_EQ(j.platform.navigator->top()->property("tvText").toString(), expected + '\n');

    j.tap(j.find("rightBarButton"));
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
}
