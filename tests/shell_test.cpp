// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ViewController.h"
#include "home/HomeScreen.h"
#include "image/Image.h"
#include "jobs/Job.h"
#include "support/Fixtures.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
// Runs the start screen to the home screen and returns it.
HomeScreen* launchHome(TestPlatform& p)
{
    p.navigator->setRoot(new ViewController(p.services));
    p.queues.advance(0.5);
    return qobject_cast<HomeScreen*>(p.navigator->top());
}
} // namespace

TEST(StartScreen, MovesToHomeOnceAfterHalfASecondWithTheBarShownAgain)
{
    TestPlatform p;
    p.navigator->setRoot(new ViewController(p.services));
    EXPECT_TRUE(p.navigator->navigationBarHidden());
    p.queues.advance(0.49);
    EXPECT_EQ(p.navigator->depth(), 1);
    p.queues.advance(0.01);
    ASSERT_EQ(p.navigator->depth(), 2);
    EXPECT_EQ(p.navigator->top()->screenName(), "HomeScreen");
    EXPECT_FALSE(p.navigator->navigationBarHidden());
    p.queues.advance(5);
    EXPECT_EQ(p.navigator->depth(), 2);
}

TEST(ProgressOverlay, SuccessStaysAtLeastTheMinimumAndLaterCallsWin)
{
    TestPlatform p;
    p.overlay->setMinimumDismissTimeInterval(3.0);
    p.overlay->showSuccess("Saved!");
    EXPECT_EQ(p.overlay->state(), ProgressOverlay::Success);
    p.queues.advance(2.9);
    EXPECT_TRUE(p.overlay->visible());
    p.queues.advance(0.1);
    EXPECT_FALSE(p.overlay->visible());

    p.overlay->showInfo("Something");
    p.queues.advance(1);
    p.overlay->show("Converting...");
    p.queues.advance(5); // the info's timer must not take the busy state down
    EXPECT_EQ(p.overlay->state(), ProgressOverlay::Busy);
    EXPECT_EQ(p.overlay->status(), "Converting...");
    p.overlay->dismiss();
    EXPECT_FALSE(p.overlay->visible());
}

TEST(HomeScreen, RowsShowNameSizeAndIconFromRealFiles)
{
    TestPlatform p;
    HomeScreen* home = launchHome(p);
    QDir().mkpath(p.historyPath());
    {
        QPdfWriter pdf(p.historyPath() + "/1700000000.pdf");
        QPainter painter(&pdf);
        painter.drawText(100, 100, "hello");
    }
    p.history->prepend(QUrl::fromLocalFile(p.historyPath() + "/1700000000.pdf"));
    ASSERT_TRUE(fixtures::photo(40, 30).save(p.historyPath() + "/1700000001.png"));
    p.history->prepend(QUrl::fromLocalFile(p.historyPath() + "/1700000001.png"));
    ASSERT_TRUE(fixtures::writeFile(p.historyPath() + "/big.png", QByteArray(999500, 'x')));
    p.history->prepend(QUrl::fromLocalFile(p.historyPath() + "/big.png"));
    p.history->prepend(QUrl::fromLocalFile(p.historyPath() + "/gone.png"));

    EXPECT_EQ(home->tableviewRecent()->rowCount(), 0); // shown when the screen reappears
    home->viewWillAppear();
    HistoryListModel* rows = home->tableviewRecent();
    ASSERT_EQ(rows->rowCount(), 4);
    EXPECT_EQ(rows->row(0)["title"].toString(), "gone.png");
    EXPECT_EQ(rows->row(0)["sizeText"].toString(), "0 kb");
    EXPECT_EQ(rows->row(1)["sizeText"].toString(), "999 kb");
    EXPECT_FALSE(rows->row(2)["isPdf"].toBool());
    EXPECT_EQ(rows->row(3)["title"].toString(), "1700000000.pdf");
    EXPECT_TRUE(rows->row(3)["isPdf"].toBool());

    // Back from a viewer with nothing new the rows stay as they were (and scrolled so).
    QSignalSpy resets(rows, &QAbstractItemModel::modelReset);
    home->viewWillAppear();
    EXPECT_EQ(resets.count(), 0);
    // Clear list empties the list, not the folder.
    home->btnClearList();
    EXPECT_EQ(rows->rowCount(), 0);
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_TRUE(QFileInfo::exists(p.historyPath() + "/big.png"));
}

TEST(HomeScreen, AThousandPageJobIsOneRowThatOpensToItsFilesInPlace)
{
    TestPlatform p;
    HomeScreen* home = launchHome(p);
    const auto writeJob = [&](int first, int pages) {
        Job job(p.services);
        job.start({}, [&](JobControl&) {
            for (int i = 0; i < pages; ++i)
                ASSERT_TRUE(p.history->write(first + i, "png", QByteArray("page")).ok());
        });
        p.drain();
        ASSERT_EQ(job.state(), Job::Finished);
    };
    ASSERT_TRUE(p.history->write(1, "png", QByteArray("before")).ok());
    writeJob(1000, 1000);
    writeJob(5000, 3); // a few files stay a row each
    ASSERT_TRUE(p.history->write(9, "png", QByteArray("after")).ok());

    home->viewWillAppear();
    HistoryListModel* rows = home->tableviewRecent();
    ASSERT_EQ(rows->rowCount(), 6);
    EXPECT_EQ(rows->row(0)["title"].toString(), "9.png");
    EXPECT_EQ(rows->row(3)["title"].toString(), "5000.png");
    const QVariantMap group = rows->row(4);
    EXPECT_EQ(group["title"].toString(), "1000.png – 1999.png");
    EXPECT_EQ(group["sizeText"].toString(), "1000 files, 4 kb");
    EXPECT_EQ(group["files"].toInt(), 1000);
    EXPECT_FALSE(group["expanded"].toBool());
    EXPECT_EQ(rows->row(5)["title"].toString(), "1.png");

    // Opening the row puts its files below it, newest first, without redrawing the list.
    QSignalSpy resets(rows, &QAbstractItemModel::modelReset);
    home->didSelectRow(4);
    EXPECT_EQ(p.navigator->top(), home);
    ASSERT_EQ(rows->rowCount(), 1006);
    EXPECT_TRUE(rows->row(4)["expanded"].toBool());
    EXPECT_EQ(rows->row(5)["title"].toString(), "1999.png");
    EXPECT_TRUE(rows->row(5)["inGroup"].toBool());
    EXPECT_EQ(rows->row(1005)["title"].toString(), "1.png");
    home->viewWillAppear(); // back from elsewhere it stays open
    EXPECT_EQ(resets.count(), 0);
    home->didSelectRow(1004);
    EXPECT_EQ(p.navigator->top()->screenName(), "ViewImageScreen");
    EXPECT_TRUE(home->selectedURL().toLocalFile().endsWith("/1000.png"));
    p.navigator->popTo(home);
    home->didSelectRow(4);
    EXPECT_EQ(rows->rowCount(), 6);
}

TEST(Navigator, GoHomePopsToTheFirstHomeScreenAndDoesNothingWithoutOne)
{
    TestPlatform p;
    p.navigator->setRoot(new ViewController(p.services));
    p.navigator->push(new Screen(p.services));
    p.navigator->goHome(); // no home screen on the stack
    EXPECT_EQ(p.navigator->depth(), 2);

    auto* home = new HomeScreen(p.services);
    p.navigator->push(home);
    p.navigator->push(new Screen(p.services));
    p.navigator->push(new Screen(p.services));
    p.navigator->goHome();
    EXPECT_EQ(p.navigator->depth(), 3);
    EXPECT_EQ(p.navigator->top(), home);
}

TEST(ImageHandle, FileHandleReadsUprightSizeAndDecodesOnDemand)
{
    TestPlatform p;
    const QString path = p.root.path() + "/sideways.jpg";
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(400, 300), path, 6));
    const Image img = Image::fromFile(path);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixelSize(), QSize(300, 400));
    EXPECT_EQ(img.sourceFormat(), "jpeg");
    const QImage thumb = img.toQImage(QSize(75, 75));
    EXPECT_EQ(thumb.size(), QSize(56, 75));
    EXPECT_EQ(img.toQImage().size(), QSize(300, 400));
    EXPECT_TRUE(Image::fromFile(p.root.path() + "/missing.jpg").isNull());
    EXPECT_EQ(Image::lookup(Image::lookup(0).id()).isNull(), true);
    const QUrl url = img.url();
    EXPECT_EQ(Image::lookup(url.path().mid(1).toULongLong()), img);
}
