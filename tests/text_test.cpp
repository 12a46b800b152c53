// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "screens/ocr/TextScreen.h"
#include "support/Fixtures.h"

#include "support/TestPlatform.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
struct Text : ::testing::Test
{
    TestPlatform p;
    TextScreen* screen = nullptr;

    void open(const QString& text)
    {
        p.navigator->setRoot(new HomeScreen(p.services));
        screen = new TextScreen(p.services);
        screen->setTextFromImage(text);
        screen->setArrOfSelectedImages({Image::fromQImage(fixtures::photo(60, 40))});
        p.navigator->push(screen);
    }
};
} // namespace

TEST_F(Text, CopyAndShareTakeTheEditedTextAndAnEmptyOneStillSaysCopied)
{
    open("Quire reads text\n");
    EXPECT_EQ(screen->tvText(), QStringLiteral("Quire reads text\n"));
    EXPECT_EQ(screen->ivImage(), screen->arrOfSelectedImages().first().url());
    screen->setTvText("Quire reads text\nand I fixed it\n");
    screen->btnCopy();
    EXPECT_EQ(p.clipboard.text(), QStringLiteral("Quire reads text\nand I fixed it\n"));
    screen->btnShare();
    ASSERT_EQ(p.share.presented().size(), 1);
    ASSERT_EQ(p.share.presented().first().size(), 1);
    const ShareItem item = p.share.presented().first().first();
    EXPECT_EQ(item.kind, ShareItem::Text);
    EXPECT_EQ(item.text, QStringLiteral("Quire reads text\nand I fixed it\n"));
    // The edit stays on this screen.
    EXPECT_EQ(screen->textFromImage(), QStringLiteral("Quire reads text\n"));

    screen->setTvText({});
    screen->btnCopy();
    EXPECT_EQ(p.clipboard.text(), QString());
    EXPECT_EQ(p.overlay->state(), ProgressOverlay::Success);
    EXPECT_EQ(p.overlay->status(), QStringLiteral("Copied!"));
}

TEST_F(Text, ReturnEndsEditingOtherKeysDoNotAndBackEmptiesThePhotosAndPops)
{
    open("a");
    auto* home = p.navigator->at(0);
    QSignalSpy ended(screen, &TextScreen::endEditing);
    EXPECT_TRUE(screen->textViewShouldChangeText("b"));
    EXPECT_TRUE(screen->textViewShouldChangeText("\n\n"));
    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(screen->textViewShouldChangeText("\n"));
    EXPECT_EQ(ended.count(), 1);
    screen->btnBack();
    EXPECT_TRUE(screen->arrOfSelectedImages().isEmpty());
    EXPECT_EQ(ended.count(), 2);
    EXPECT_EQ(p.navigator->top(), home);
}
