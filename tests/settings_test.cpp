// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "settings/SettingScreen.h"
#include "support/Fixtures.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

namespace {
SettingScreen* openSettings(TestPlatform& p)
{
    p.navigator->setRoot(new HomeScreen(p.services));
    p.navigator->top()->performSegue("segue_setting");
    return qobject_cast<SettingScreen*>(p.navigator->top());
}
} // namespace

TEST(SettingScreen, RateTwiceStoresAndOpensTwice)
{
    TestPlatform p;
    SettingScreen* s = openSettings(p);
    ASSERT_NE(s, nullptr);
    s->btnRateApp();
    s->btnRateApp();
    EXPECT_EQ(p.defaults.value("showRate").toString(), "true");
    EXPECT_EQ(p.defaults.writes(), 2);
    EXPECT_EQ(p.defaults.syncs(), 2);
    ASSERT_EQ(p.urls.opened.size(), 2u);
    EXPECT_TRUE(p.urls.opened[0].toString().endsWith("?mt=8&action=write-review"));
    EXPECT_EQ(p.urls.opened[0], p.urls.opened[1]);
}

TEST(SettingScreen, ShareCarriesTextThenStoreAddress)
{
    TestPlatform p;
    SettingScreen* s = openSettings(p);
    s->btnShareApp();
    ASSERT_EQ(p.share.presented().size(), 1);
    const auto items = p.share.presented().first();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].kind, ShareItem::Text);
    EXPECT_EQ(items[0].text, "Download this awesome OCR app to extract text from image.");
    EXPECT_EQ(items[1].kind, ShareItem::Link);
    EXPECT_EQ(items[1].url, QUrl(QStringLiteral(QUIRE_STORE_URL)));
}

TEST(SettingScreen, MalformedAddressesDoNothingAndBackPops)
{
    TestPlatform p;
    SettingScreen* s = openSettings(p);
    StoreAddresses bad;
    bad.storePage = "not an address";
    bad.developerPage = "http://exa mple.org/ x";
    s->setAddresses(bad);
    s->btnShareApp();
    s->btnMoreApps();
    EXPECT_TRUE(p.share.presented().isEmpty());
    EXPECT_TRUE(p.urls.opened.empty());

    s->setAddresses(StoreAddresses{});
    s->btnMoreApps();
    ASSERT_EQ(p.urls.opened.size(), 1u);
    EXPECT_EQ(p.urls.opened[0], QUrl(QStringLiteral(QUIRE_DEVELOPER_URL)));

    s->btnBack();
    EXPECT_EQ(p.navigator->depth(), 1);
    EXPECT_EQ(p.navigator->top()->screenName(), "HomeScreen");
}
