// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/Image.h"
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/PhotoFormats.h"
#include "ui/Navigator.h"
#include "ui/Screen.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

namespace {
QStringList sourcesOf(const Screen* screen)
{
    QStringList names;
    for (const Image& image : screen->property("arrOfSelectedImages").value<QList<Image>>())
        names << QFileInfo(image.sourcePath()).fileName();
    return names;
}

QList<QUrl> urls(const QStringList& paths)
{
    QList<QUrl> out;
    for (const QString& p : paths)
        out << QUrl::fromLocalFile(p);
    return out;
}
} // namespace

TEST(OpenerJourney, PhotosOpenImagesToPdfInOrderTheChooserSwitchesJobsAndAPdfOpensACopy)
{
    Journey j;
    const QString dir = j.platform.root.path() + "/Downloads";
    QDir().mkpath(dir);
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(200, 150), dir + "/b.jpg"));
    ASSERT_TRUE(photofixtures::writeHeic(dir + "/a.heic", fixtures::photo(160, 120)));
    ASSERT_TRUE(fixtures::writeFile(dir + "/notes.txt", "not a photo"));

    // Dropped while the window is still starting: the files wait for the home screen.
    j.platform.opener->open(urls({dir + "/b.jpg", dir + "/notes.txt", dir + "/a.heic"}));
    ASSERT_TRUE(j.waitForScreen("ImageToPDFScreen"));
    EXPECT_EQ(sourcesOf(j.platform.navigator->top()), QStringList({"b.jpg", "a.heic"}));
    AlertCenter& alerts = j.platform.alerts;
    ASSERT_TRUE(alerts.showing());
    EXPECT_EQ(alerts.title(), "Cannot Open");
    EXPECT_TRUE(alerts.message().contains("notes.txt"));
    alerts.respond(0);
    ASSERT_TRUE(alerts.showing());
    EXPECT_EQ(alerts.buttons(), QStringList({"Compress", "Images to PDF"}));
    alerts.respond(0);
    ASSERT_TRUE(j.waitForScreen("CompressImageScreen"));
    EXPECT_EQ(sourcesOf(j.platform.navigator->top()), QStringList({"b.jpg", "a.heic"}));
    // Back goes to the picker, then home, as if the photos had been picked there.
    EXPECT_EQ(j.platform.navigator->depth(), 4);

    // One photo may go to any job; the command line takes paths as the shell gives them.
    QDir::setCurrent(dir);
    j.platform.opener->openArguments({"a.heic"});
    ASSERT_TRUE(fixtures::waitFor([&] { return alerts.showing(); }));
    EXPECT_EQ(alerts.buttons(),
              QStringList({"Compress", "Resize", "Extract Text", "Images to PDF"}));
    alerts.respond(1);
    ASSERT_TRUE(j.waitForScreen("ResizeImageScreen"));
    EXPECT_EQ(sourcesOf(j.platform.navigator->top()), QStringList({"a.heic"}));

    // A PDF opens PDF to Images on a copy of its own.
    {
        QPdfWriter writer(dir + "/a.pdf");
        QPainter painter(&writer);
        painter.drawText(100, 100, "page one");
    }
    j.platform.opener->openArguments({"a.pdf"}); // quire a.pdf
    ASSERT_TRUE(j.waitForScreen("PDFToImageScreen"));
    const QString opened = j.platform.navigator->top()->property("pdfFilePath").toString();
    EXPECT_EQ(QFileInfo(opened).fileName(), "a.pdf");
    EXPECT_TRUE(opened.startsWith(j.platform.services.locations.inbox));
    EXPECT_FALSE(j.platform.alerts.showing());
}
