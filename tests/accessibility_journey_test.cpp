// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "jobs/Job.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/PhotoFixtures.h"
#include "support/SamplePdfs.h"

#include <QTest>
#include <QThreadPool>

#include <gtest/gtest.h>

// Every screen as a screen reader user meets it: each control the user can operate has a name,
// and the journeys reach every control by the name it is announced with.
namespace {
class AccessibilityJourney : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        library = std::make_unique<FolderPhotoLibrary>(j.platform.services.locations.photoLibrary,
                                                       *j.platform.services.dispatcher);
        j.platform.services.photos = library.get();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(photofixtures::writePhoto(
                j.platform.services.locations.photoLibrary + QStringLiteral("/photo%1.jpg").arg(i),
                photofixtures::picture(900, 1200, QColor(60, 90 + 40 * i, 200)),
                QDateTime::fromSecsSinceEpoch(1700000000 - i * 3600)));
        ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    }
    void TearDown() override
    {
        fixtures::waitFor([&] { return !j.platform.overlay->visible(); });
        QThreadPool::globalInstance()->waitForDone();
    }

    // Taps what a screen reader announces under this name, once it is there and enabled.
    void tap(const QString& name)
    {
        QQuickItem* item = nullptr;
        ASSERT_TRUE(j.waitForSettled()); // a tap on a page still sliding in misses
        ASSERT_TRUE(fixtures::waitFor([&] {
            item = j.findNamed(name);
            return item && item->isEnabled();
        })) << qPrintable(name);
        j.tap(item);
    }
    void arrive(const QString& screen, int timeoutMs = 10000)
    {
        ASSERT_TRUE(j.waitForScreen(screen, timeoutMs)) << qPrintable(screen);
        // The overlay, its closing animation included, takes touches until it has gone.
        auto* hud = j.window()->findChild<QObject*>(QStringLiteral("hud"));
        ASSERT_TRUE(fixtures::waitFor([&] { return !hud->property("visible").toBool(); }, 30000));
        ASSERT_TRUE(j.waitForSettled());
        expectAllNamed(screen);
    }
    void expectAllNamed(const QString& where)
    {
        const QStringList unnamed = j.unnamedControls();
        EXPECT_TRUE(unnamed.isEmpty()) << qPrintable(where + ":\n" + unnamed.join('\n'));
    }
    // From home through the picker, the photos ticked (or the one tapped) by name.
    void pick(const QString& job, const QStringList& photos, bool done = true)
    {
        tap(job);
        arrive("SelectImageScreen");
        for (const QString& photo : photos)
            tap(photo);
        if (done)
            tap("Done");
    }

    Journey j;
    std::unique_ptr<FolderPhotoLibrary> library;
};
} // namespace

TEST_F(AccessibilityJourney, ImagesToPdfSettingsAndTheHistory)
{
    arrive("HomeScreen");
    tap("Settings");
    arrive("SettingScreen");
    tap("‹ Back");
    pick("Images to PDF", {"photo0.jpg", "photo2.jpg"});
    arrive("ImageToPDFScreen");
    tap("Convert");
    arrive("PDFPreviewScreen", 30000);
    tap("Share");
    auto* sheet = j.window()->findChild<QObject*>(QStringLiteral("shareSheet"));
    ASSERT_TRUE(fixtures::waitFor([&] { return sheet->property("position").toReal() == 1; }));
    expectAllNamed("share sheet");
    tap("Cancel");
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.share.showing(); }));
    tap("Home");
    arrive("HomeScreen");
    auto* rows = j.find("tableviewRecent");
    ASSERT_TRUE(fixtures::waitFor([&] { return rows->property("count").toInt() == 1; }));
    expectAllNamed("history");
    EXPECT_NE(j.findNamed("1700000000.pdf"), nullptr);
}

TEST_F(AccessibilityJourney, PdfToImagesGalleryAndViewer)
{
    const QString pdf = j.platform.root.path() + "/Two pages.pdf";
    ASSERT_TRUE(samplepdfs::write(pdf, 2));
    qobject_cast<HomeScreen*>(j.platform.navigator->top())
        ->didPickDocument(QUrl::fromLocalFile(pdf));
    arrive("PDFToImageScreen");
    tap("Convert");
    arrive("ImagePreviewScreen", 30000);
    j.tap(j.findNamed("Page 1 of 2", j.find("collectionviewImagePreview")));
    arrive("ViewImageScreen");
}

TEST_F(AccessibilityJourney, CompressResizeAndExtractText)
{
    pick("Compress", {"photo1.jpg"});
    arrive("CompressImageScreen");
    tap("Compress");
    arrive("CompressImagePreviewScreen", 30000);
    tap("Home");
    pick("Resize", {"photo1.jpg"}, false);
    arrive("ResizeImageScreen");
    tap("Enter Width");
    for (const char key : QByteArray("450"))
        QTest::keyClick(j.window(), key);
    tap("Done");
    tap("Resize");
    arrive("ResizeImagePreviewScreen", 30000);
    tap("Home");
    j.platform.recognizer.answerLines({"Hello"});
    pick("Extract Text", {"photo0.jpg"}, false);
    arrive("ExtractTextScreen");
    tap("Extract");
    arrive("TextScreen", 30000);
}

TEST_F(AccessibilityJourney, TheOverlayAndAnAlert)
{
    Job job(j.platform.services);
    auto control = job.begin(QStringLiteral("Converting..."));
    control->setTotal(10);
    control->advance(QStringLiteral("page 1"));
    ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("Cancel") != nullptr; }));
    expectAllNamed("overlay");
    job.cancel();
    job.end();

    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.overlay->visible(); }));
    j.platform.alerts.present({"Could not save", "The disk is full.", {{"OK", {}}}});
    ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("OK") != nullptr; }));
    expectAllNamed("alert");
    tap("OK");
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.alerts.showing(); }));
}
