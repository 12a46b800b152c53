// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "home/HomeScreen.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"
#include "support/TestPlatform.h"
#include "topdf/PdfPassword.h"
#include "viewer/PDFPreviewScreen.h"
#include "viewer/PageGridScreen.h"

#include <QDir>
#include <QFile>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <gtest/gtest.h>

namespace {
PDFPreviewScreen* open(TestPlatform& p, const QString& path, bool fromHistory)
{
    auto* viewer = new PDFPreviewScreen(p.services);
    viewer->setIsFromHistory(fromHistory);
    viewer->setPdfFilePath(path);
    p.navigator->push(viewer);
    return viewer;
}

// A PDF whose pages are told apart by their widths, in points.
QString pagesOfWidths(const QString& path, const std::vector<int>& widths)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper pages(pdf);
    for (const int width : widths) {
        auto page = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Page /MediaBox [0 0 " + std::to_string(width) + " 300] >>"));
        page.replaceKey("/Contents", pdf.newStream("0 0 m 10 10 l S"));
        pages.addPage(QPDFPageObjectHelper(page), false);
    }
    const QByteArray name = QFile::encodeName(path); // the writer keeps the pointer
    QPDFWriter(pdf, name.constData()).write();
    return path;
}

// Each page of a PDF as width@turn.
std::vector<std::string> layout(const QString& path, const char* password = nullptr)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData(), password);
    std::vector<std::string> seen;
    for (auto& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        auto turn = page.getAttribute("/Rotate", false);
        seen.push_back(std::to_string(int(page.getMediaBox().getArrayItem(2).getNumericValue())) +
                       "@" + std::to_string(turn.isInteger() ? turn.getIntValueAsInt() : 0));
    }
    return seen;
}
} // namespace

// From the viewer to the page grid and back to a new PDF: every edit through the screen's
// actions, a protected PDF added once its password is given, a broken one refused with a
// reason, the input left as it was.
TEST(PageGridScreen, OrganisesAPdfIntoANewOneInTheHistory)
{
    TestPlatform p;
    const QString input = pagesOfWidths(p.root.filePath("four.pdf"), {100, 200, 300, 400});
    const QString other = pagesOfWidths(p.root.filePath("one.pdf"), {500});
    const QString locked = p.root.filePath("locked.pdf");
    ASSERT_TRUE(samplepdfs::qpdf(other, locked, {"--encrypt", "pw", "pw", "256", "--"}));
    const QByteArray before = fixtures::readFile(input);
    p.navigator->setRoot(new HomeScreen(p.services));
    open(p, input, true)->btnOrganise();
    auto* grid = qobject_cast<PageGridScreen*>(p.navigator->top());
    ASSERT_NE(grid, nullptr);
    p.drain();
    ASSERT_EQ(grid->pages()->rowCount(), 4);

    grid->move(3, 0); // 4 1 2 3
    grid->select(2);
    grid->rotateSelected(90);
    grid->rotateSelected(-180); // turns add up: 270
    grid->select(3);
    grid->deleteSelected();
    EXPECT_EQ(grid->pages()->rowCount(), 3);
    grid->undo(); // the page and its selection come back
    EXPECT_EQ(grid->pages()->rowCount(), 4);
    EXPECT_EQ(grid->selectedCount(), 1);
    grid->deleteSelected();
    grid->selectAll();
    grid->deleteSelected(); // a PDF of no pages is refused
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(p.alerts.presented().back().title, "Pages Not Deleted");
    EXPECT_EQ(grid->pages()->rowCount(), 3);

    PasswordPrompt* prompt = grid->passwordPrompt();
    grid->appendPdf(QUrl::fromLocalFile(locked));
    p.drain();
    ASSERT_TRUE(prompt->asking());
    prompt->cancel(); // nothing added
    EXPECT_EQ(grid->pages()->rowCount(), 3);
    grid->appendPdf(QUrl::fromLocalFile(locked));
    p.drain();
    prompt->submit("wrong");
    p.drain();
    EXPECT_EQ(prompt->message(), "That password does not open the PDF. Try again.");
    prompt->submit("pw");
    p.drain();
    EXPECT_FALSE(prompt->asking());
    grid->appendPdf(QUrl::fromLocalFile(p.root.filePath("four.pdf/../missing.pdf")));
    p.drain();
    ASSERT_EQ(p.alerts.presented().size(), 2u);
    EXPECT_EQ(p.alerts.presented().back().title, "PDF Not Added");
    EXPECT_EQ(p.alerts.presented().back().message, "“missing.pdf” is not a PDF that can be read.");
    EXPECT_EQ(grid->pages()->rowCount(), 4);

    grid->save();
    p.drain();
    auto* viewer = qobject_cast<PDFPreviewScreen*>(p.navigator->top());
    ASSERT_NE(viewer, nullptr);
    ASSERT_EQ(p.history->count(), 1);
    EXPECT_EQ(p.history->at(0).toLocalFile(), viewer->pdfFilePath());
    EXPECT_FALSE(viewer->isFromHistory());
    // Pages of a protected PDF keep its protection; the viewer opens them without asking again.
    p.drain();
    EXPECT_FALSE(viewer->passwordPrompt()->asking());
    EXPECT_TRUE(viewer->documentUrl().isLocalFile());
    EXPECT_EQ(PdfPassword::check(viewer->pdfFilePath(), {}), PdfPassword::Lock::Needed);
    EXPECT_EQ(layout(viewer->pdfFilePath(), "pw"),
              (std::vector<std::string>{"400@0", "100@0", "200@270", "500@0"}));
    EXPECT_EQ(fixtures::readFile(input), before);
}

TEST(PDFPreviewScreen, HomePopsPastTheWholeJobInOneStep)
{
    TestPlatform p;
    auto* home = new HomeScreen(p.services);
    p.navigator->setRoot(home);
    p.navigator->push(new Screen(p.services)); // the photo picker's place
    p.navigator->push(new ImageToPDFScreen(p.services));
    auto* viewer = open(p, p.historyPath() + "/1700000000.pdf", false);
    EXPECT_EQ(viewer->title(), "1700000000.pdf");
    int pops = 0;
    QObject::connect(p.navigator.get(), &Navigator::popped, [&](int) { ++pops; });
    viewer->btnHome();
    EXPECT_EQ(pops, 1);
    EXPECT_EQ(p.navigator->top(), home);
}

TEST(PDFPreviewScreen, ShareHandsTheFileBytesAsOneItem)
{
    TestPlatform p;
    QDir().mkpath(p.historyPath());
    const QString path = p.historyPath() + "/1700000000.pdf";
    ASSERT_TRUE(fixtures::writeFile(path, "%PDF-1.3 bytes"));
    auto* viewer = open(p, path, true);
    viewer->btnShare();
    ASSERT_EQ(p.share.presented().size(), 1);
    const QList<ShareItem> items = p.share.presented().front();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0].kind, ShareItem::Data);
    EXPECT_EQ(items[0].data, "%PDF-1.3 bytes");
    EXPECT_EQ(items[0].fileName, "1700000000.pdf");

    // A file that cannot be read still gives the sheet one (empty) item.
    viewer->setPdfFilePath(p.historyPath() + "/missing.pdf");
    viewer->btnShare();
    ASSERT_EQ(p.share.presented().size(), 2);
    ASSERT_EQ(p.share.presented().back().size(), 1);
    EXPECT_TRUE(p.share.presented().back()[0].data.isEmpty());
}

TEST(ShareSheet, SaveACopyWritesEveryItemWithoutOverwriting)
{
    TestPlatform p;
    const QString out = p.root.filePath("out");
    QDir().mkpath(out);
    p.share.present({ShareItem::fromData("pdf bytes", "a.pdf")});
    EXPECT_EQ(p.share.suggestedName(), "a.pdf");
    ASSERT_TRUE(p.share.saveCopy(QUrl::fromLocalFile(out + "/chosen.pdf")));
    EXPECT_FALSE(p.share.showing());
    EXPECT_EQ(p.overlay->status(), "Saved!");
    QFile chosen(out + "/chosen.pdf");
    ASSERT_TRUE(chosen.open(QIODevice::ReadOnly));
    EXPECT_EQ(chosen.readAll(), "pdf bytes");
    // The same name again keeps the first file and says the copy's name; a name typed without
    // an extension gets the item's.
    p.share.present({ShareItem::fromData("second", "a.pdf")});
    ASSERT_TRUE(p.share.saveCopy(QUrl::fromLocalFile(out + "/chosen.pdf")));
    EXPECT_EQ(p.overlay->status(), "Saved as chosen-2.pdf");
    EXPECT_EQ(fixtures::readFile(out + "/chosen.pdf"), "pdf bytes");
    EXPECT_EQ(fixtures::readFile(out + "/chosen-2.pdf"), "second");
    p.share.present({ShareItem::fromData("third", "a.pdf")});
    ASSERT_TRUE(p.share.saveCopy(QUrl::fromLocalFile(out + "/report")));
    EXPECT_EQ(fixtures::readFile(out + "/report.pdf"), "third");

    ASSERT_TRUE(fixtures::writeFile(out + "/Text.txt", "already here"));
    const QString png = p.root.filePath("page.png");
    ASSERT_TRUE(fixtures::photo(10, 8).save(png));
    p.share.present({ShareItem::fromImage(Image::fromFile(png)), ShareItem::fromText("hello")});
    ASSERT_TRUE(p.share.saveCopy(QUrl::fromLocalFile(out)));
    p.drain();
    EXPECT_EQ(fixtures::readFile(out + "/page.png"), fixtures::readFile(png)); // copied as it is
    EXPECT_EQ(fixtures::readFile(out + "/Text-2.txt"), "hello");
    EXPECT_EQ(fixtures::readFile(out + "/Text.txt"), "already here");

    // A folder that is not there yet is made; one that cannot be made is named in the alert.
    p.share.present({ShareItem::fromData("x", "x.pdf")});
    ASSERT_TRUE(p.share.saveCopy(QUrl::fromLocalFile(out + "/new/folder/x.pdf")));
    EXPECT_EQ(fixtures::readFile(out + "/new/folder/x.pdf"), "x");
    p.share.present({ShareItem::fromData("x", "x.pdf")});
    EXPECT_FALSE(p.share.saveCopy(QUrl::fromLocalFile(out + "/Text.txt/x.pdf")));
    ASSERT_EQ(p.alerts.presented().size(), 1u);
    EXPECT_EQ(p.alerts.presented().front().title, "Could Not Save");
    EXPECT_TRUE(p.alerts.presented().front().message.contains(out + "/Text.txt"));
}

TEST(ShareSheet, SavingOverAFileAsksFirstAndKeepsBothUnlessToldToReplace)
{
    TestPlatform p;
    const QString out = p.root.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    ASSERT_TRUE(fixtures::writeFile(out + "/a.pdf", "old"));
    const QUrl folder = QUrl::fromLocalFile(out);
    const auto answer = [&](const QString& button) {
        ASSERT_TRUE(p.alerts.showing());
        EXPECT_EQ(p.alerts.title(), "Replace “a.pdf”?");
        EXPECT_EQ(p.alerts.message(), "“a.pdf” already exists in " + out + ".");
        EXPECT_EQ(p.alerts.buttons(), QStringList({"Cancel", "Replace", "Keep both"}));
        p.alerts.respond(int(p.alerts.buttons().indexOf(button)));
    };
    p.share.present({ShareItem::fromData("new", "a.pdf")});
    p.share.saveTo(folder, "a"); // the extension is the item's
    answer("Keep both");
    EXPECT_EQ(fixtures::readFile(out + "/a.pdf"), "old");
    EXPECT_EQ(fixtures::readFile(out + "/a-2.pdf"), "new");
    p.share.present({ShareItem::fromData("newer", "a.pdf")});
    p.share.saveTo(folder, "a.pdf");
    answer("Replace");
    EXPECT_EQ(fixtures::readFile(out + "/a.pdf"), "newer");
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), 2);
    // The folder saved into is where the chooser starts next time.
    EXPECT_EQ(p.share.saveFolder(), folder);

    // Several items: one question for all of them, and the job runs with progress.
    p.share.present({ShareItem::fromData("1", "a.pdf"), ShareItem::fromData("2", "b.pdf")});
    p.share.saveTo(folder, {});
    ASSERT_TRUE(p.alerts.showing());
    EXPECT_EQ(p.alerts.title(), "Replace “a.pdf”?");
    p.alerts.respond(0); // Cancel: nothing written
    EXPECT_FALSE(QFileInfo::exists(out + "/b.pdf"));
}

TEST(ShareSheet, CopyAndOpenUseTheClipboardAndTheDefaultApps)
{
    TestPlatform p;
    p.share.present({ShareItem::fromText("line one"), ShareItem::fromText("line two")});
    ASSERT_TRUE(p.share.copy());
    EXPECT_EQ(p.clipboard.text(), "line one\nline two");
    EXPECT_EQ(p.overlay->status(), "Copied!");

    p.share.present({ShareItem::fromImage(Image::fromQImage(fixtures::photo(12, 9)))});
    ASSERT_TRUE(p.share.copy());
    EXPECT_EQ(p.clipboard.image().size(), QSize(12, 9));

    p.share.present({ShareItem::fromData("pdf bytes", "1700000000.pdf")});
    ASSERT_TRUE(p.share.copy());
    ASSERT_EQ(p.clipboard.urls().size(), 1);
    QFile copied(p.clipboard.urls().front().toLocalFile());
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), "pdf bytes");
    EXPECT_EQ(copied.fileName().section('/', -1), "1700000000.pdf");

    ASSERT_TRUE(p.share.openWithDefaultApp());
    ASSERT_EQ(p.urls.opened.size(), 1u);
    EXPECT_EQ(fixtures::readFile(p.urls.opened.front().toLocalFile()), "pdf bytes");
    EXPECT_FALSE(p.share.showing());
}
