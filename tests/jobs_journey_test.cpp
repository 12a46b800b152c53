// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "screens/toimages/PDFToImageScreen.h"
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/SamplePdfs.h"

#include <QDir>
#include <QQuickItem>

#include <gtest/gtest.h>

namespace {
// The number of pages done that the overlay shows ("12 of 300"), or -1 when it shows none.
int shownCount(QQuickItem* label)
{
    const QString text = label->property("text").toString();
    return label->isVisible() && text.endsWith(QLatin1String(" of 300"))
               ? text.section(QLatin1Char(' '), 0, 0).toInt()
               : -1;
}
} // namespace

TEST(JobsJourney, PdfToImagesCountsUpThenCancelLeavesTheScreenAndHistoryEmpty)
{
    Journey j;
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    auto* home = qobject_cast<HomeScreen*>(j.platform.navigator->top());
    const QString pdf = j.platform.root.path() + "/Manual.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 300));
    home->didPickDocument(QUrl::fromLocalFile(pdf));
    ASSERT_TRUE(j.waitForScreen("PDFToImageScreen"));
    auto* screen = qobject_cast<PDFToImageScreen*>(j.platform.navigator->top());

    j.tap(j.findNamed("Convert"));
    auto* hud = j.window()->findChild<QObject*>(QStringLiteral("hud"));
    auto* box = hud->property("contentItem").value<QQuickItem*>();
    auto* count = box->findChild<QQuickItem*>(QStringLiteral("hudProgress"));
    auto* bar = box->findChild<QQuickItem*>(QStringLiteral("hudBar"));
    auto* cancel = box->findChild<QQuickItem*>(QStringLiteral("hudCancel"));
    ASSERT_TRUE(count && bar && cancel);
    int first = -1;
    ASSERT_TRUE(fixtures::waitFor([&] { return (first = shownCount(count)) >= 1; }, 30000));
    ASSERT_TRUE(fixtures::waitFor([&] { return shownCount(count) > first; }, 30000));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(box->findChild<QQuickItem*>(QStringLiteral("hudStatus"))->property("text"),
              "Converting...");
    j.screenshot("pdf-to-images-progress");

    j.tap(cancel);
    ASSERT_TRUE(fixtures::waitFor([&] { return !hud->property("visible").toBool(); }, 5000));
    EXPECT_EQ(screen->job().state(), Job::Cancelled);
    EXPECT_LT(screen->job().progress(), 300);
    EXPECT_EQ(j.platform.navigator->top(), screen);
    EXPECT_TRUE(screen->arrOfImages().isEmpty());
    EXPECT_TRUE(j.platform.alerts.presented().empty());
    EXPECT_EQ(j.platform.history->count(), 0);
    EXPECT_TRUE(QDir(j.platform.historyPath()).entryList(QDir::Files).isEmpty());

    j.tap(j.findNamed("‹ Back"));
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    EXPECT_EQ(j.find("tableviewRecent")->property("count").toInt(), 0);
}
