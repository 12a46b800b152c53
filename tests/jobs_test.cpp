// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "jobs/Job.h"
#include "picker/SelectImageScreen.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "screens/compress/CompressImageScreen.h"
#include "screens/ocr/ExtractTextScreen.h"
#include "screens/resize/ResizeImageScreen.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "support/Fixtures.h"
#include "support/TestPlatform.h"
#include "ui/SaveFlow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace {
// A History with one file from before, which no cancelled run may touch.
class Jobs : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        p.history->write(1, QStringLiteral("txt"), QByteArray("earlier"));
        before = p.history->entries();
        p.navigator->setRoot(new HomeScreen(p.services));
    }

    template <typename T> T* push(T* screen)
    {
        p.navigator->push(screen);
        p.drain();
        return screen;
    }

    // Taps the overlay's Cancel once the job has reported `after` units, from its own thread.
    void cancelAfter(Job& job, int after)
    {
        job.setObserver([this, after](int done, int, const QString&) {
            if (done >= after)
                p.overlay->cancel();
        });
    }

    // History lists and holds just what it did before the run; the overlay is gone.
    void expectAsBefore()
    {
        EXPECT_EQ(p.history->entries(), before);
        EXPECT_EQ(QDir(p.historyPath()).entryList(QDir::Files), QStringList{"1.txt"});
        EXPECT_FALSE(p.overlay->visible());
        EXPECT_TRUE(p.alerts.presented().empty());
    }

    static QList<Image> photos(int n)
    {
        QList<Image> list;
        for (int i = 0; i < n; ++i)
            list << Image::fromQImage(fixtures::photo(320, 240, QColor(20 * i, 90, 160)));
        return list;
    }

    // The tests read and drive these directly, as gtest fixtures are meant to be used.
    TestPlatform p;           // NOLINT(misc-non-private-member-variables-in-classes)
    std::vector<QUrl> before; // NOLINT(misc-non-private-member-variables-in-classes)
};
} // namespace

TEST_F(Jobs, TheOverlayCountsTheWorkAndCancelTakesBackWhatTheRunWrote)
{
    Job job(p.services);
    bool doneCalled = false;
    QStringList shown;
    job.start(
        QStringLiteral("Working..."),
        [&](JobControl& control) {
            control.setTotal(4);
            for (int i = 0; i < 4 && !control.isCancelled(); ++i) {
                p.history->write(100 + i, QStringLiteral("png"), QByteArray("page"));
                control.advance();
                p.drain(); // the GUI thread catches up
                shown << p.overlay->progressText();
                if (i == 1)
                    p.overlay->cancel();
            }
        },
        [&] { doneCalled = true; });
    EXPECT_EQ(shown, QStringList({"1 of 4", "2 of 4"}));
    EXPECT_EQ(p.overlay->status(), QStringLiteral("Working..."));
    p.drain();
    EXPECT_EQ(job.state(), Job::Cancelled);
    EXPECT_FALSE(job.running());
    EXPECT_FALSE(doneCalled);
    EXPECT_EQ(p.jobs.running(), 0);
    expectAsBefore();

    // The same job runs again to its end.
    job.setObserver({});
    EXPECT_TRUE(job.start(
        QStringLiteral("Working..."), [](JobControl& c) { c.setTotal(1); },
        [&] { doneCalled = true; }));
    EXPECT_FALSE(job.start({}, [](JobControl&) {})); // one run at a time
    p.drain();
    EXPECT_TRUE(doneCalled);
    EXPECT_EQ(job.state(), Job::Finished);
    EXPECT_FALSE(p.overlay->cancellable());
}

TEST_F(Jobs, CancelledCompressionImagesToPdfAndResizeLeaveHistoryAndScreenAsTheyWere)
{
    auto* compress = push(new CompressImageScreen(p.services));
    compress->setArrOfSelectedImages(photos(3));
    cancelAfter(compress->job(), 1);
    compress->btnCompress();
    p.drain();
    EXPECT_EQ(compress->job().state(), Job::Cancelled);
    EXPECT_EQ(p.navigator->top(), compress);
    EXPECT_TRUE(compress->arrOfCompressImage().isEmpty());
    expectAsBefore();
    compress->btnBack();

    auto* topdf = push(new ImageToPDFScreen(p.services));
    topdf->setArrOfSelectedImages(photos(3));
    cancelAfter(topdf->job(), 2);
    topdf->btnConvert();
    p.drain();
    EXPECT_EQ(topdf->job().state(), Job::Cancelled);
    EXPECT_EQ(p.navigator->top(), topdf);
    EXPECT_TRUE(topdf->pdfFilePath().isEmpty());
    expectAsBefore();
    topdf->btnBack();

    auto* resize = push(new ResizeImageScreen(p.services));
    resize->setArrOfSelectedImages(photos(1));
    resize->viewDidLoad();
    resize->shouldChangeCharactersIn(QStringLiteral("tfImageWIdth"), 0, 0, QStringLiteral("100"));
    cancelAfter(resize->job(), 0);
    resize->btnReize();
    p.drain();
    EXPECT_EQ(p.navigator->top(), resize);
    EXPECT_TRUE(resize->croppedImage().isNull());
    expectAsBefore();

    // Still usable: the next tap runs to its end.
    resize->job().setObserver({});
    resize->btnReize();
    p.drain();
    EXPECT_EQ(p.history->count(), 2);
    EXPECT_EQ(p.navigator->top()->screenName(), QStringLiteral("ResizeImagePreviewScreen"));
}

TEST_F(Jobs, CancelledReadingLoadingAndSavingLeaveTheScreenAsItWas)
{
    auto* extract = push(new ExtractTextScreen(p.services));
    extract->setArrOfSelectedImages(photos(1));
    p.recognizer.answerLines({"text"});
    cancelAfter(extract->job(), 0);
    extract->btnExtract();
    p.drain();
    EXPECT_EQ(p.navigator->top(), extract);
    EXPECT_TRUE(extract->textFromImage().isEmpty());
    EXPECT_FALSE(extract->extracting());
    expectAsBefore();
    extract->btnBack();

    for (int i = 0; i < 4; ++i)
        p.photos.add(QStringLiteral("p%1").arg(i), fixtures::photo(64, 48));
    auto* picker = new SelectImageScreen(p.services);
    picker->setSelectedJob(SelectedJob::CompressImage);
    push(picker);
    picker->viewDidLoad();
    picker->viewWillAppear();
    p.drain();
    for (int i = 0; i < 4; ++i)
        picker->didSelectItem(i);
    cancelAfter(picker->job(), 2);
    picker->btnDone();
    p.drain();
    EXPECT_EQ(p.navigator->top(), picker);
    EXPECT_EQ(picker->selectedCount(), 4);
    EXPECT_TRUE(picker->arrOfSelectedImages().isEmpty());
    expectAsBefore();

    // Photos saved before Cancel stay in the library; no closing alert follows.
    QObject screen;
    const QList<Image> five = photos(5);
    SaveFlow::saveAll(p.services, &screen, {five.begin(), five.end()}, [&](int saved) {
        if (saved == 2)
            p.overlay->cancel();
    });
    p.drain();
    EXPECT_EQ(p.photos.saved.size(), 2u);
    expectAsBefore();
}

TEST(JobsQuitting, ClosingStopsEveryJobInTimeWhileWorkStillWaitsOnTheGuiThread)
{
    TestPlatform p(true);
    p.history->write(1, QStringLiteral("txt"), QByteArray("earlier"));
    Job job(p.services);
    std::atomic<bool> started = false;
    job.start(QStringLiteral("Working..."), [&](JobControl& control) {
        started = true;
        for (int i = 0; !control.isCancelled(); ++i) {
            p.history->write(100 + i, QStringLiteral("png"), QByteArray("page"));
            // Work that asks the GUI thread and waits, as a save asking for access once did.
            p.services.dispatcher->sync([] {});
            QThread::msleep(5);
        }
    });
    ASSERT_TRUE(fixtures::waitFor([&] { return started && p.history->count() > 2; }));

    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(p.jobs.shutdown(1500));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(job.state(), Job::Cancelled);
    EXPECT_EQ(p.history->count(), 1);
    EXPECT_EQ(QDir(p.historyPath()).entryList(QDir::Files), QStringList{"1.txt"});
}

TEST(JobsLibrary, TheListingCountsEachPhotoAndGivesNothingOnceCancelled)
{
    QTemporaryDir folder;
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(32, 24),
                                        folder.filePath(QString::number(i) + ".jpg")));
    TestDispatcher queues;
    FolderPhotoLibrary library(folder.path(), queues);
    JobControl job;
    EXPECT_EQ(library.fetchAssets(&job).size(), 5u);
    EXPECT_EQ(job.done(), 5);
    EXPECT_EQ(job.total(), 5);

    JobControl stopped([&stopped](int done, int, const QString&) {
        if (done >= 2)
            stopped.cancel();
    });
    EXPECT_TRUE(library.fetchAssets(&stopped).empty());
}
