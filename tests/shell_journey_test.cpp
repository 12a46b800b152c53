// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "support/Fixtures.h"
#include "support/Journey.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

TEST(ShellJourney, StartGivesWayToHomeAndHistoryShowsOnReturn)
{
    Journey j;
    ASSERT_NE(j.window(), nullptr);
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    EXPECT_GE(timer.elapsed(), 400);
    auto* bar = j.find("navigationBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    auto* list = j.find("tableviewRecent");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->property("count").toInt(), 0);

    // Another screen covers home while a file is written; it shows when home reappears.
    auto* home = j.platform.navigator->top();
    j.platform.navigator->push(new HomeScreen(j.platform.services));
    ASSERT_TRUE(fixtures::photo(300, 200).save(j.platform.historyPath() + "/1700000000.png"));
    j.platform.history->prepend(QUrl::fromLocalFile(j.platform.historyPath() + "/1700000000.png"));
    {
        QPdfWriter pdf(j.platform.historyPath() + "/1700000001.pdf");
        QPainter painter(&pdf);
        painter.drawText(100, 100, "Quire");
    }
    j.platform.history->prepend(QUrl::fromLocalFile(j.platform.historyPath() + "/1700000001.pdf"));
    j.platform.navigator->popTo(home);
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    list = j.find("tableviewRecent");
    ASSERT_TRUE(fixtures::waitFor([&] { return list->property("count").toInt() == 2; }));
    j.screenshot("home");
}
