// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/SelectImageScreen.h"
#include "screens/compress/CompressPDFPreviewScreen.h"
#include "screens/compress/CompressPDFScreen.h"
#include "support/Fixtures.h"
#include "support/Journey.h"
#include "support/SamplePdfs.h"
#include "topdf/PdfWriter.h"
#include "ui/Navigator.h"

#include <QFile>

#include <gtest/gtest.h>

// Compress's "Choose PDF" at phone and desktop widths: a protected PDF asks for its password
// (a wrong one is said so), then shrinks into the History, and the result shows its pages.
TEST(CompressPdfJourney, ChoosePdfGiveItsPasswordAndSeeTheSmallerResult)
{
    for (const auto& [size, suffix] :
         {std::pair{QSize(390, 844), ""}, std::pair{QSize(1280, 800), "-desktop"}}) {
        Journey j;
        j.window()->resize(size);
        const QString root = j.platform.root.path();
        ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(1600, 1200), root + "/photo.jpg", 1, 95));
        const Image photo = Image::fromFile(root + "/photo.jpg");
        QFile plain(root + "/plain.pdf");
        QString error;
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly) &&
                    PdfWriter::write({photo, photo}, plain, error));
        plain.close();
        const QString locked = root + "/Holiday.pdf";
        ASSERT_TRUE(samplepdfs::qpdf(plain.fileName(), locked,
                                     {"--encrypt", "secret", "secret", "256", "--"}));

        ASSERT_TRUE(j.waitForScreen("HomeScreen"));
        ASSERT_TRUE(j.waitForSettled());
        j.tap(j.findNamed("Compress"));
        ASSERT_TRUE(j.waitForScreen("SelectImageScreen"));
        ASSERT_TRUE(j.waitForSettled());
        j.tap(j.findNamed("Choose PDF"));
        auto* chooser = j.currentPage()->findChild<QObject*>("documentPicker");
        ASSERT_TRUE(fixtures::waitFor([&] { return chooser->property("visible").toBool(); }));
        QMetaObject::invokeMethod(chooser, "reject");
        ASSERT_TRUE(fixtures::waitFor([&] { return !chooser->property("visible").toBool(); }));
        qobject_cast<SelectImageScreen*>(j.platform.navigator->top())
            ->didPickDocument(QUrl::fromLocalFile(locked));

        ASSERT_TRUE(j.waitForScreen("CompressPDFScreen"));
        auto* screen = qobject_cast<CompressPDFScreen*>(j.platform.navigator->top());
        auto* dialog = j.currentPage()->findChild<QObject*>("passwordDialog");
        ASSERT_TRUE(fixtures::waitFor([&] { return dialog->property("visible").toBool(); }));
        auto* field = dialog->findChild<QQuickItem*>("passwordField");
        auto* open = dialog->findChild<QQuickItem*>("passwordOpen");
        ASSERT_TRUE(field && open);
        ASSERT_TRUE(j.waitForSettled());
        for (const char* typed : {"wrong", "secret"}) {
            field->setProperty("text", QString::fromLatin1(typed));
            j.tap(open);
            ASSERT_TRUE(fixtures::waitFor([&] {
                return !screen->passwordPrompt()->message().isEmpty() ||
                       !screen->passwordPrompt()->asking();
            }));
        }
        ASSERT_TRUE(fixtures::waitFor([&] { return !dialog->property("visible").toBool(); }));
        ASSERT_TRUE(fixtures::waitFor([&] { return j.find("pdfView")->property("count") == 2; }));

        j.tap(j.findNamed("Compress"));
        ASSERT_TRUE(j.waitForScreen("CompressPDFPreviewScreen", 30000));
        auto* result = qobject_cast<CompressPDFPreviewScreen*>(j.platform.navigator->top());
        EXPECT_LT(result->sizeAfter(), result->sizeBefore());
        ASSERT_EQ(j.platform.history->count(), 1);
        EXPECT_EQ(j.platform.history->at(0).toLocalFile(), result->pdfFilePath());
        ASSERT_TRUE(fixtures::waitFor([&] { return j.find("pdfView")->property("count") == 2; }));
        EXPECT_EQ(j.find("lblSizes")->property("text").toString(), result->sizesText());
        j.screenshot(QStringLiteral("compress-pdf%1").arg(QLatin1String(suffix)));
    }
}
