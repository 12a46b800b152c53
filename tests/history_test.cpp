// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppDelegate.h"
#include "history/HistoryStore.h"
#include "history/SizeLabel.h"
#include "support/Fixtures.h"
#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <set>
#include <thread>

TEST(SizeLabel, KilobytesBelowOneMillionThenMegabytes)
{
    const std::pair<qint64, const char*> table[] = {
        {0, "0 bytes"},     {534, "534 bytes"}, {1000, "1 kb"},     {998999, "998 kb"},
        {999000, "999 kb"}, {999500, "999 kb"}, {999999, "999 kb"}, {1000000, "1 mb"},
        {1999999, "1 mb"},  {2500000, "2 mb"},  {2345678, "2 mb"},  {250000, "250 kb"},
    };
    for (auto [bytes, text] : table)
        EXPECT_EQ(sizeLabel(bytes), QString::fromLatin1(text)) << bytes;
}

TEST(HistoryStore, ConcurrentPrependsLoseNothingWhileReading)
{
    TestPlatform p;
    HistoryStore& h = *p.history;
    std::atomic<bool> done{false};
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&h, t] {
            for (int i = 0; i < 500; ++i)
                h.prepend(QUrl::fromLocalFile(QStringLiteral("/x/%1-%2").arg(t).arg(i)));
        });
    int reads = 0;
    std::thread reader([&] {
        while (!done) {
            const int n = h.count();
            if (n > 0) {
                EXPECT_FALSE(h.at(0).isEmpty());
            }
            ++reads;
        }
    });
    for (auto& w : writers)
        w.join();
    done = true;
    reader.join();
    EXPECT_EQ(h.count(), 2000);
    std::set<QString> unique;
    for (const QUrl& u : h.entries())
        unique.insert(u.toString());
    EXPECT_EQ(unique.size(), 2000u);
}

TEST(HistoryStore, FilesListedWithinOverlappingJobsShareOneJobAndOthersHaveTheirOwn)
{
    HistoryStore h("/x");
    const auto list = [&h](const char* name) { h.prepend(QUrl::fromLocalFile(name)); };
    list("/alone");
    h.openJob();
    list("/a1");
    h.openJob(); // a second job while the first runs
    list("/b1");
    h.closeJob();
    list("/a2");
    h.closeJob();
    h.closeJob(); // one close too many changes nothing
    list("/after1");
    list("/after2");
    std::vector<quint64> jobs;
    for (const auto& listed : h.listing())
        jobs.push_back(listed.job);
    ASSERT_EQ(jobs.size(), 6u); // newest first
    EXPECT_EQ(std::set<quint64>(jobs.begin(), jobs.end()).size(), 4u);
    EXPECT_TRUE(jobs[2] == jobs[3] && jobs[3] == jobs[4]);
}

TEST(HistoryStore, CreateFolderIsQuietOnAFolderAndReportsAFailureOnTheConsole)
{
    TestPlatform p;
    ASSERT_TRUE(QDir().mkpath(p.historyPath()));
    testing::internal::CaptureStderr();
    EXPECT_TRUE(p.history->createFolder("History"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    HistoryStore h("/nonexistent/quire-docs");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(h.createFolder("History"));
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind(
                  "Error creating images folder in documents dir: ", 0),
              0u);
}

TEST(HistoryStore, WritesMakeTheFolderListNewestFirstAndNeverOverwriteATakenName)
{
    TestPlatform p;
    ASSERT_FALSE(QFileInfo::exists(p.historyPath()));
    ASSERT_TRUE(p.history->write(1700000001, "png", QByteArray("x")).ok());
    const QString taken = p.historyPath() + "/1700000000.png";
    ASSERT_TRUE(fixtures::writeFile(taken, "old"));
    auto first = p.history->write(1700000000, "png", QByteArray("new"));
    auto second = p.history->write(1700000000, "png", QByteArray("newer"));
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_EQ(QFileInfo(first.path).fileName(), "1700000000-2.png");
    EXPECT_EQ(QFileInfo(second.path).fileName(), "1700000000-3.png");
    EXPECT_EQ(fixtures::readFile(taken), "old");
    EXPECT_EQ(p.history->at(0), second.url());
    EXPECT_EQ(p.history->at(1), first.url());
    EXPECT_TRUE(p.history->at(2).toLocalFile().endsWith("/History/1700000001.png"));
    EXPECT_TRUE(p.history->at(3).isEmpty());
}

// An encoder that gives up, or a folder that cannot be written: a reason, no file, no entry.
TEST(HistoryStore, FailedWritesLeaveNoFileAndAreNotListed)
{
    TestPlatform p;
    QDir().mkpath(p.historyPath());
    auto w = p.history->write(7, "png", [](QIODevice& out, QString& error) {
        out.write("partial");
        error = "encoder gave up";
        return false;
    });
    EXPECT_FALSE(w.ok());
    EXPECT_EQ(w.error, "encoder gave up");
    EXPECT_EQ(p.history->count(), 0);
    EXPECT_TRUE(QDir(p.historyPath()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    if (geteuid() == 0)
        return; // root writes anywhere
    QFile::setPermissions(p.historyPath(), QFile::ReadOwner | QFile::ExeOwner);
    w = p.history->write(8, "png", QByteArray("x"));
    EXPECT_FALSE(w.ok());
    EXPECT_FALSE(w.error.isEmpty());
    EXPECT_EQ(p.history->count(), 0);
}

TEST(Launch, FirstLaunchStoresKeyAndMakesFolderSecondDoesNothing)
{
    TestPlatform p;
    AppDelegate(p.services).didFinishLaunching();
    EXPECT_EQ(p.defaults.value("isFirstTime").toString(), "No");
    EXPECT_TRUE(QFileInfo(p.historyPath()).isDir());

    // Second launch: the key is there, so no folder operation happens even if it went away.
    QDir(p.historyPath()).removeRecursively();
    const int writes = p.defaults.writes();
    AppDelegate(p.services).didFinishLaunching();
    EXPECT_EQ(p.defaults.writes(), writes);
    EXPECT_FALSE(QFileInfo::exists(p.historyPath()));
}
