// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CliProcess.h"
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <set>

namespace {
// quire-cli run as a batch engine runs it, with its History folder in a temporary area.
struct Batch : CliProcess
{
    // The status lines of a file or of stdout, the summary last.
    static std::vector<QJsonObject> lines(const QByteArray& text)
    {
        std::vector<QJsonObject> objects;
        for (const QByteArray& line : text.split('\n'))
            if (!line.isEmpty())
                objects.push_back(QJsonDocument::fromJson(line).object());
        return objects;
    }
    [[nodiscard]] QStringList files(const QString& folder) const
    {
        return QDir(path(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    // The PDF helper processes quire-cli has running now.
    [[nodiscard]] std::set<pid_t> workers() const
    {
        std::set<pid_t> found;
        const QString parent = QString::number(process.processId());
        for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
            const QByteArray stat = fixtures::readFile("/proc/" + pid + "/stat");
            const qsizetype close = stat.lastIndexOf(')');
            if (close > 0 && stat.contains("(quire-pdf-work") &&
                stat.mid(close + 2).split(' ').value(1) == parent.toUtf8())
                found.insert(pid_t(pid.toInt()));
        }
        return found;
    }
};
} // namespace

TEST(CliBatch, ARerunWithSkipExistingDoesOnlyWhatIsMissingAndOverwriteReplaces)
{
    Batch b;
    const QStringList photos = {b.photo("a.jpg"), b.photo("b.jpg"), b.photo("c.jpg")};
    ASSERT_TRUE(samplepdfs::write(b.path("doc.pdf"), 3, QSizeF(100, 100)));
    b.run(QStringList{"compress", "-o", b.path("out")} + photos);
    ASSERT_EQ(b.status, 0) << b.err.toStdString();
    b.run({"images", b.path("doc.pdf"), "-o", b.path("out"), "--scale", "1"});
    ASSERT_EQ(b.status, 0) << b.err.toStdString();
    const QStringList first = b.files("out");
    ASSERT_EQ(first, QStringList({"a.jpg", "b.jpg", "c.jpg", "doc-0001.png", "doc-0002.png",
                                  "doc-0003.png"}));
    const QByteArray bBytes = fixtures::readFile(b.path("out/b.jpg"));
    const QByteArray page2 = fixtures::readFile(b.path("out/doc-0002.png"));

    // A run cut short: one photo and one page are missing.
    QFile::remove(b.path("out/b.jpg"));
    QFile::remove(b.path("out/doc-0002.png"));
    b.run(QStringList{"compress", "--skip-existing", "-o", b.path("out"), "--status",
                      b.path("status.jsonl")} +
          photos);
    EXPECT_EQ(b.status, 0) << b.err.toStdString();
    EXPECT_EQ(b.out.split('\n', Qt::SkipEmptyParts), QStringList{b.path("out/b.jpg")});
    b.run({"images", b.path("doc.pdf"), "-o", b.path("out"), "--scale", "1", "--skip-existing",
           "--status", b.path("status.jsonl")});
    EXPECT_EQ(b.status, 0) << b.err.toStdString();
    EXPECT_EQ(b.files("out"), first);
    EXPECT_EQ(fixtures::readFile(b.path("out/b.jpg")), bBytes);
    EXPECT_EQ(fixtures::readFile(b.path("out/doc-0002.png")), page2);
    // The record appended by both runs: what each input came to, then each run's summary.
    const auto status = Batch::lines(fixtures::readFile(b.path("status.jsonl")));
    ASSERT_EQ(status.size(), 6);
    QStringList seen;
    for (const QJsonObject& line : status)
        seen << line["status"].toString();
    EXPECT_EQ(seen, QStringList({"skipped", "done", "skipped", "", "done", ""}));
    EXPECT_EQ(status[4]["pages"].toInt(), 3); // two kept, one drawn
    EXPECT_EQ(status[4]["outputs"].toArray().size(), 3);
    EXPECT_EQ(status[3]["done"].toInt(), 1);
    EXPECT_EQ(status[3]["skipped"].toInt(), 2);

    // All there: skipped; --overwrite writes over the same names, never a -2.
    b.run({"images", b.path("doc.pdf"), "-o", b.path("out"), "--skip-existing", "--json"});
    EXPECT_EQ(Batch::lines(b.out.toUtf8())[0]["status"].toString(), "skipped");
    b.run(QStringList{"compress", "--overwrite", "--quality", "0.9", "-o", b.path("out")} + photos);
    EXPECT_EQ(b.status, 0) << b.err.toStdString();
    EXPECT_EQ(b.files("out"), first);
    EXPECT_GT(QFileInfo(b.path("out/b.jpg")).size(), bBytes.size());
    // Two inputs named alike would be taken for each other: the second fails.
    QDir().mkpath(b.path("other"));
    const QString twin = b.photo("other/a.jpg");
    b.run({"compress", "--skip-existing", "-o", b.path("twins"), photos[0], twin});
    EXPECT_EQ(b.status, 1);
    EXPECT_EQ(b.files("twins"), QStringList{"a.jpg"});
    EXPECT_TRUE(b.err.contains("other/a.jpg")) << b.err.toStdString();
}

TEST(CliBatch, ManifestsTakeOddNamesAndTheStatusSaysWhatCameOfEachInput)
{
    Batch b;
    const QString spaced = b.photo(" two  spaces .jpg");
    const QString newline = b.photo("new\nline.jpg");
    const QString dashed = b.photo("-dash.jpg");
    fixtures::writeFile(b.path("broken.jpg"), "not a jpeg");
    fixtures::writeFile(b.path("list"), (spaced + "\n\n" + dashed + "\n").toUtf8());
    b.run({"compress", "--from", b.path("list"), "-o", b.path("out"), "--json"});
    EXPECT_EQ(b.status, 0) << b.err.toStdString();
    EXPECT_EQ(b.files("out"), QStringList({" two  spaces .jpg", "-dash.jpg"}));

    // NUL-separated on stdin, as find -print0 writes it; a broken photo fails alone.
    const QByteArray list = (newline + '\0' + b.path("broken.jpg") + '\0').toUtf8();
    b.run({"resize", "--from", "-", "--null", "--width", "20", "-o", b.path("small"), "--json"},
          list);
    EXPECT_EQ(b.status, 1);
    EXPECT_EQ(b.files("small"), QStringList({"new\nline.png"}));
    const auto status = Batch::lines(b.out.toUtf8());
    ASSERT_EQ(status.size(), 3);
    EXPECT_EQ(status[0]["input"].toString(), newline);
    EXPECT_EQ(status[0]["status"].toString(), "done");
    EXPECT_EQ(status[0]["outputs"].toArray()[0].toString(), b.path("small/new\nline.png"));
    EXPECT_EQ(status[0]["reason"].toString(), "");
    EXPECT_EQ(status[0]["pages"].toInt(), 1);
    EXPECT_GE(status[0]["seconds"].toDouble(), 0);
    EXPECT_EQ(status[1]["status"].toString(), "failed");
    EXPECT_EQ(status[1]["reason"].toString(), "could not be read as an image");
    EXPECT_TRUE(status[1]["outputs"].toArray().isEmpty());
    EXPECT_TRUE(status[2]["summary"].toBool());
    EXPECT_EQ(status[2]["failed"].toInt(), 1);
    EXPECT_EQ(status[2]["exit"].toInt(), 1);

    // Slices of a job array share the inputs out, each to one task; an empty one has nothing to do.
    QStringList taken;
    for (const char* slice : {"0/3", "1/3", "2/3"}) {
        b.run({"ocr", "--from", b.path("list"), "--slice", slice, "--skip-existing", "-o",
               b.path("text"), "--json"});
        for (const QJsonObject& line : Batch::lines(b.out.toUtf8()))
            if (line.contains("input"))
                taken << line["input"].toString();
    }
    EXPECT_EQ(taken, QStringList({spaced, dashed}));
    EXPECT_EQ(b.status, 0);
    for (const QStringList& bad : {QStringList{"--slice", "3/3"},
                                   {"--jobs", "0"},
                                   {"--timeout", "-1"},
                                   {"--skip-existing", "--overwrite"},
                                   {"--from", b.path("missing")}}) {
        b.run(QStringList{"compress", spaced, "-o", b.path("out")} + bad);
        EXPECT_EQ(b.status, 2) << bad.join(' ').toStdString();
    }
}

TEST(CliBatch, ATimeoutEndsAnInputWhoseWorkersAreStoppedAndTheRunGoesOn)
{
    Batch b;
    ASSERT_TRUE(samplepdfs::write(b.path("stuck.pdf"), 200));
    ASSERT_TRUE(samplepdfs::write(b.path("fine.pdf"), 2, QSizeF(100, 100)));
    b.env.insert("QUIRE_PAGE_TIMEOUT", "300"); // the whole file's limit must act, not the page's
    b.start({"images", b.path("stuck.pdf"), b.path("fine.pdf"), "-o", b.path("out"), "--timeout",
             "3", "--json"});
    std::set<pid_t> stopped;
    ASSERT_TRUE(fixtures::waitFor([&] { return !(stopped = b.workers()).empty(); }, 30000));
    for (const pid_t pid : stopped)
        ::kill(pid, SIGSTOP);
    QElapsedTimer clock;
    clock.start();
    b.finish();
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_EQ(b.status, 1) << b.err.toStdString();
    const auto status = Batch::lines(b.out.toUtf8());
    ASSERT_EQ(status.size(), 3) << b.out.toStdString();
    EXPECT_EQ(status[0]["status"].toString(), "failed");
    EXPECT_EQ(status[0]["reason"].toString(), "took longer than the limit of 3 s");
    EXPECT_EQ(status[1]["status"].toString(), "done");
    EXPECT_EQ(status[1]["pages"].toInt(), 2);
    for (const pid_t pid : stopped) // none left behind, stopped or not
        EXPECT_FALSE(
            QFileInfo::exists("/proc/" + QString::number(pid) + "/stat") &&
            !fixtures::readFile("/proc/" + QString::number(pid) + "/stat").contains(" Z "));
}

TEST(CliBatch, JobsCapsThePdfWorkers)
{
    Batch b;
    ASSERT_TRUE(samplepdfs::write(b.path("long.pdf"), 30));
    const auto most = [&](const QStringList& extra) {
        b.start(QStringList{"images", b.path("long.pdf"), "-o", b.path("out"), "--overwrite",
                            "--scale", "1"} +
                extra);
        size_t seen = 0;
        while (!b.process.waitForFinished(10))
            seen = std::max(seen, b.workers().size());
        b.finish();
        EXPECT_EQ(b.status, 0) << b.err.toStdString();
        return seen;
    };
    EXPECT_EQ(most({"--jobs", "1"}), 1U);
    b.env.insert("QUIRE_JOBS", "1");
    EXPECT_EQ(most({}), 1U);
    b.env.remove("QUIRE_JOBS");
    if (QThread::idealThreadCount() > 1) { // the count is seen at all
        EXPECT_EQ(most({"--jobs", "2"}), 2U);
    }
}
