// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "jobs/Job.h"
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/SamplePdfs.h"
#include "ui/Navigator.h"
#include "ui/Screen.h"
#include "ui/ShareSheet.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace {
const QString kLong =
    QStringLiteral("Quarterly report of the regional office with a name too long for one line.pdf");

// The chooser's row for a name, once it shows; its name and detail lines.
QList<QQuickItem*> rowLines(QQuickItem* row)
{
    QList<QQuickItem*> lines;
    const auto labels = row->findChildren<QQuickItem*>();
    for (QQuickItem* item : labels)
        if (item->inherits("QQuickText") && item->isVisible() && item->parentItem() &&
            item->parentItem()->inherits("QQuickColumnLayout"))
            lines << item;
    return lines;
}
} // namespace

// The PDF chooser at phone and desktop widths: it starts in the folder last used, lists folders
// and PDFs only, each on a name line and one detail line, and hands the PDF picked to the job.
TEST(PdfChooserJourney, StartsInTheLastFolderAndHandsThePickedPdfOver)
{
    for (const QSize size : {QSize(390, 844), QSize(1280, 800)}) {
        Journey j;
        j.window()->resize(size);
        const QString papers = j.platform.root.path() + "/Papers";
        ASSERT_TRUE(QDir().mkpath(papers + "/Scans"));
        ASSERT_TRUE(samplepdfs::write(papers + "/" + kLong, 1));
        ASSERT_TRUE(samplepdfs::write(papers + "/INVOICE.PDF", 1));
        ASSERT_TRUE(samplepdfs::write(papers + "/Scans/Receipt.pdf", 1));
        ASSERT_TRUE(fixtures::writeFile(papers + "/notes.txt", "not a PDF"));
        // A PDF opened from Papers before (from the command line, say) makes it the last folder.
        ASSERT_TRUE(j.waitForScreen("HomeScreen"));
        auto* home = qobject_cast<HomeScreen*>(j.platform.navigator->top());
        home->didPickDocument(QUrl::fromLocalFile(papers + "/INVOICE.PDF"));
        ASSERT_TRUE(j.waitForScreen("PDFToImageScreen"));
        ASSERT_TRUE(j.waitForSettled());
        j.tap(j.findNamed("‹ Back"));
        ASSERT_TRUE(j.waitForScreen("HomeScreen"));
        ASSERT_TRUE(j.waitForSettled());

        j.tap(j.findNamed("PDF to Images"));
        auto* chooser = j.currentPage()->findChild<QObject*>("documentPicker");
        ASSERT_NE(chooser, nullptr);
        ASSERT_TRUE(fixtures::waitFor(
            [&] { return chooser->property("opened").toBool() && j.findNamed(kLong) != nullptr; }));
        EXPECT_NE(j.findNamed("Scans"), nullptr);
        auto* path = chooser->findChild<QQuickItem*>("chooserFolder");
        ASSERT_NE(path, nullptr);
        EXPECT_EQ(path->property("text").toString(), papers);
        EXPECT_NE(j.findNamed("INVOICE.PDF"), nullptr);
        EXPECT_EQ(j.findNamed("notes.txt"), nullptr);
        EXPECT_TRUE(j.unnamedControls().isEmpty()) << qPrintable(j.unnamedControls().join('\n'));
        // The long name is cut short on its own line; its size and date sit on the line below.
        QQuickItem* row = j.findNamed(kLong);
        const QList<QQuickItem*> lines = rowLines(row);
        ASSERT_EQ(lines.size(), 2);
        EXPECT_TRUE(lines[0]->property("truncated").toBool() || size.width() > 500);
        EXPECT_LE(lines[0]->y() + lines[0]->height(), lines[1]->y());
        EXPECT_LE(lines[1]->property("contentWidth").toReal(), lines[1]->width() + 1);
        j.screenshot(size.width() > 500 ? "pdf-chooser-desktop" : "pdf-chooser-phone");

        // Into a folder and back up, then pick the PDF and open it.
        j.tap(j.findNamed("Scans"));
        ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("Receipt.pdf") != nullptr; }));
        EXPECT_EQ(path->property("text").toString(), papers + "/Scans");
        j.tap(j.findNamed("‹ Up"));
        ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed(kLong) != nullptr; }));
        EXPECT_FALSE(j.findNamed("Open")->isEnabled()); // nothing picked yet
        if (size.width() > 500) {
            // From the keyboard: arrows walk the rows (folders first), Enter opens.
            auto* list = chooser->findChild<QQuickItem*>("chooserList");
            list->setProperty("currentIndex", 0);
            list->forceActiveFocus();
            QTest::keyClick(j.window(), Qt::Key_Down);
            QTest::keyClick(j.window(), Qt::Key_Down);
            QTest::keyClick(j.window(), Qt::Key_Return);
        } else {
            j.tap(j.findNamed(kLong));
            ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("Open")->isEnabled(); }));
            j.tap(j.findNamed("Open"));
        }
        ASSERT_TRUE(j.waitForScreen("PDFToImageScreen"));
        EXPECT_EQ(j.platform.navigator->top()->title(), kLong);
        EXPECT_EQ(j.platform.defaults.value(QStringLiteral("lastDocumentFolder")).toString(),
                  papers);
    }
}

// Save a copy… goes through the same chooser: it starts in a folder that exists, makes the
// folders a typed path names, asks before replacing (Enter keeps both), and saves a thousand
// page images into a folder as a job with progress.
TEST(PdfChooserJourney, SaveACopyMakesItsFolderAsksBeforeReplacingAndSavesManyWithProgress)
{
    Journey j;
    j.window()->resize(390, 844);
    ASSERT_TRUE(j.waitForScreen("HomeScreen"));
    const QString out = j.platform.root.path() + "/Out";
    ASSERT_TRUE(QDir().mkpath(out));
    j.platform.defaults.setValue(QStringLiteral("saveCopyFolder"), out);
    auto* chooser = j.window()->findChild<QObject*>("saveChooser");
    ASSERT_NE(chooser, nullptr);
    const auto saveAs = [&](const QString& typed) {
        j.platform.share.present({ShareItem::fromData("%PDF-1.4 copy", "1700000000.pdf")});
        QQuickItem* save = nullptr;
        ASSERT_TRUE(fixtures::waitFor([&] { return (save = j.findNamed("Save a copy…")); }));
        ASSERT_TRUE(fixtures::waitFor([&] {
            return save->mapToScene({0, 0}).y() + save->height() <= j.window()->height();
        }));
        j.tap(save);
        ASSERT_TRUE(fixtures::waitFor([&] { return chooser->property("opened").toBool(); }));
        auto* name = chooser->findChild<QQuickItem*>("chooserName");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->property("text").toString(), "1700000000.pdf");
        ASSERT_TRUE(fixtures::waitFor([&] { return name->isVisible(); }));
        j.tap(name);
        ASSERT_TRUE(fixtures::waitFor([&] { return name->hasActiveFocus(); }));
        QTest::keyClick(j.window(), Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : typed)
            QTest::keyClick(j.window(), c.toLatin1());
        QTest::keyClick(j.window(), Qt::Key_Return);
    };
    saveAs("New/Sub/copy.pdf");
    ASSERT_TRUE(fixtures::waitFor([&] { return QFileInfo::exists(out + "/New/Sub/copy.pdf"); }));
    EXPECT_EQ(fixtures::readFile(out + "/New/Sub/copy.pdf"), "%PDF-1.4 copy");
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.overlay->visible(); }, 6000));

    saveAs("New/Sub/copy.pdf");
    ASSERT_TRUE(fixtures::waitFor([&] { return j.platform.alerts.showing(); }));
    EXPECT_EQ(j.platform.alerts.title(), "Replace “copy.pdf”?");
    ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("Keep both") != nullptr; }));
    QTest::keyClick(j.window(), Qt::Key_Return);
    ASSERT_TRUE(fixtures::waitFor([&] { return QFileInfo::exists(out + "/New/Sub/copy-2.pdf"); }));
    ASSERT_TRUE(fixtures::waitFor([&] { return !j.platform.overlay->visible(); }, 6000));

    // A thousand page images go into a folder with the overlay counting them.
    const QString pages = j.platform.root.path() + "/Pages";
    ASSERT_TRUE(QDir().mkpath(pages));
    QList<ShareItem> items;
    for (int i = 1; i <= 1000; ++i) {
        const QString file = pages + QStringLiteral("/page-%1.png").arg(i, 4, 10, QChar('0'));
        ASSERT_TRUE(fixtures::photo(8, 6).save(file));
        items << ShareItem::fromImage(Image::fromFile(file));
    }
    j.platform.share.present(items);
    ASSERT_TRUE(fixtures::waitFor([&] { return j.findNamed("Save a copy…") != nullptr; }));
    j.tap(j.findNamed("Save a copy…"));
    ASSERT_TRUE(fixtures::waitFor([&] { return chooser->property("opened").toBool(); }));
    EXPECT_FALSE(chooser->findChild<QQuickItem*>("chooserName")->isVisible());
    j.tap(j.findNamed("Save"));
    auto* hud = j.window()->findChild<QObject*>(QStringLiteral("hud"));
    auto* count = hud->property("contentItem")
                      .value<QQuickItem*>()
                      ->findChild<QQuickItem*>(QStringLiteral("hudProgress"));
    ASSERT_TRUE(fixtures::waitFor([&] {
        return count->property("text").toString().endsWith(" of 1000") ||
               QDir(out).entryList({"page-*.png"}).size() == 1000;
    }));
    ASSERT_TRUE(fixtures::waitFor(
        [&] { return QDir(out).entryList({"page-*.png"}).size() == 1000; }, 60000));
    EXPECT_EQ(fixtures::readFile(out + "/page-0500.png"),
              fixtures::readFile(pages + "/page-0500.png"));
    ASSERT_NE(j.platform.share.savingJob(), nullptr);
    ASSERT_TRUE(
        fixtures::waitFor([&] { return j.platform.share.savingJob()->state() == Job::Finished; }));
    EXPECT_EQ(j.platform.share.savingJob()->progress(), 1000);
    EXPECT_TRUE(j.platform.alerts.presented().size() == 1); // the replace question only
}
