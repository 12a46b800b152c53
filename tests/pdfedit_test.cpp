// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFOutlineDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "support/CliProcess.h"

#include <gtest/gtest.h>

namespace {
// The real quire-cli, its History folder in a temporary documents area, a password when given.
struct Cli : CliProcess
{
    void run(const QStringList& args, const QByteArray& password = {})
    {
        env.remove(QStringLiteral("QUIRE_PDF_PASSWORD"));
        if (!password.isEmpty())
            env.insert(QStringLiteral("QUIRE_PDF_PASSWORD"), QString::fromUtf8(password));
        CliProcess::run(args);
    }
    // A sample PDF whose outline has one entry, title, leading to page (from 0).
    QString pdf(const QString& name, int pages, QSizeF size, const char* title, int page)
    {
        const QString plain = path(name + ".plain");
        EXPECT_TRUE(samplepdfs::write(plain, pages, size));
        QPDF pdf;
        pdf.processFile(plain.toLocal8Bit().constData());
        const auto all = QPDFPageDocumentHelper(pdf).getAllPages();
        auto root =
            pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines /Count 1 >>"));
        auto item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title));
        item.replaceKey("/Parent", root);
        item.replaceKey("/Dest", QPDFObjectHandle::newArray({all[size_t(page)].getObjectHandle(),
                                                             QPDFObjectHandle::newName("/Fit")}));
        root.replaceKey("/First", item);
        root.replaceKey("/Last", item);
        pdf.getRoot().replaceKey("/Outlines", root);
        const QString out = path(name);
        const QByteArray file = QFile::encodeName(out); // the writer keeps the pointer
        QPDFWriter writer(pdf, file.constData());
        writer.write();
        return out;
    }
};

// What a written PDF holds: each page's width and turn, and where each outline entry leads.
struct Pages
{
    std::vector<int> widths;
    std::vector<int> turns;
    std::vector<std::pair<std::string, int>> outline; // title, page from 0 (-1: nowhere)
    bool encrypted = false;
};

Pages read(const QString& path, const QByteArray& password = {})
{
    Pages seen;
    QPDF pdf;
    pdf.processFile(path.toLocal8Bit().constData(), password.constData());
    seen.encrypted = pdf.isEncrypted();
    const auto pages = QPDFPageDocumentHelper(pdf).getAllPages();
    for (auto page : pages) {
        seen.widths.push_back(int(page.getMediaBox().getArrayItem(2).getNumericValue()));
        auto turn = page.getAttribute("/Rotate", false);
        seen.turns.push_back(turn.isInteger() ? turn.getIntValueAsInt() : 0);
    }
    QPDFOutlineDocumentHelper outlines(pdf);
    for (auto& item : outlines.getTopLevelOutlines()) {
        const QPDFObjGen dest = item.getDestPage().getObjGen();
        int at = -1;
        for (size_t i = 0; i < pages.size(); ++i)
            if (pages[i].getObjectHandle().getObjGen() == dest)
                at = int(i);
        seen.outline.emplace_back(item.getTitle(), at);
    }
    return seen;
}
} // namespace

// One document taken through every organising command, each output the input of the next:
// pages in the order given, turned and taken out, outline entries following their pages.
TEST(Organise, MergeRotateDeleteSplit)
{
    Cli cli;
    const QString a = cli.pdf("a.pdf", 3, {612, 792}, "A third", 2);
    const QString b = cli.pdf("b.pdf", 2, {300, 400}, "B first", 0);
    const QString photo = cli.path("photo.jpg");
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(200, 100), photo));
    const QByteArray before = fixtures::readFile(a);

    cli.run({"merge", a, photo, b, "-o", cli.path("m.pdf")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_EQ(cli.out.trimmed(), cli.path("m.pdf"));
    Pages merged = read(cli.path("m.pdf"));
    EXPECT_EQ(merged.widths, (std::vector<int>{612, 612, 612, 200, 300, 300}));
    EXPECT_EQ(merged.outline,
              (std::vector<std::pair<std::string, int>>{{"A third", 2}, {"B first", 4}}));

    cli.run({"rotate", cli.path("m.pdf"), "--pages", "2", "--by", "90", "-o", cli.path("r.pdf")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_EQ(read(cli.path("r.pdf")).turns, (std::vector<int>{0, 90, 0, 0, 0, 0}));

    cli.run({"delete", cli.path("r.pdf"), "--pages", "1,4", "-o", cli.path("d.pdf")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    const Pages left = read(cli.path("d.pdf"));
    EXPECT_EQ(left.widths, (std::vector<int>{612, 612, 300, 300}));
    EXPECT_EQ(left.turns, (std::vector<int>{90, 0, 0, 0}));
    EXPECT_EQ(left.outline,
              (std::vector<std::pair<std::string, int>>{{"A third", 1}, {"B first", 2}}));

    cli.run({"split", cli.path("d.pdf"), "--pages", "1-2, 3", "-o", cli.path("parts")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_EQ(read(cli.path("parts/d-1-2.pdf")).widths, (std::vector<int>{612, 612}));
    EXPECT_EQ(read(cli.path("parts/d-3.pdf")).widths, (std::vector<int>{300}));
    EXPECT_EQ(fixtures::readFile(a), before); // inputs are only read
}

// Requests that cannot be met write nothing and say why; an input is never written over.
TEST(Organise, RefusesWhatItCannotDo)
{
    Cli cli;
    const QString a = cli.pdf("a.pdf", 3, {612, 792}, "A", 0);
    const QByteArray before = fixtures::readFile(a);
    cli.run({"delete", a, "--pages", "1-3", "-o", cli.path("none.pdf")});
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains("would have no pages left")) << cli.err.toStdString();
    cli.run({"rotate", a, "--pages", "9", "--by", "90", "-o", cli.path("r.pdf")});
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains("The PDF has 3 pages; there is no page 9."))
        << cli.err.toStdString();
    cli.run({"rotate", a, "--by", "45", "-o", cli.path("r.pdf")});
    EXPECT_EQ(cli.status, 2);
    cli.run({"rotate", a, "--by", "180", "--overwrite", "-o", a});
    EXPECT_EQ(cli.status, 1);
    cli.run({"merge", a, cli.path("missing.jpg"), "-o", cli.path("m.pdf")});
    EXPECT_EQ(cli.status, 1);
    EXPECT_EQ(fixtures::readFile(a), before);
    EXPECT_TRUE(QDir(cli.dir.path()).entryList({"*.pdf"}, QDir::Files) == QStringList{"a.pdf"});
}

// A protected PDF opens with its password alone, in qpdf and in the page workers, and the jobs
// that read it say plainly when the password is missing or wrong.
TEST(Protect, OpensOnlyWithItsPassword)
{
    Cli cli;
    const QString a = cli.pdf("a.pdf", 2, {612, 792}, "A", 0);
    cli.run({"protect", a, "-o", cli.path("p.pdf")}, "s3cret");
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_FALSE((cli.out + cli.err).contains("s3cret"));
    EXPECT_THROW(read(cli.path("p.pdf")), QPDFExc);
    EXPECT_THROW(read(cli.path("p.pdf"), "wrong"), QPDFExc);
    EXPECT_TRUE(read(cli.path("p.pdf"), "s3cret").encrypted);

    cli.run({"images", cli.path("p.pdf"), "-o", cli.path("pages")});
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains("p.pdf: is protected by a password")) << cli.err.toStdString();
    cli.run({"images", cli.path("p.pdf"), "-o", cli.path("pages")}, "wrong");
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains("the one given does not open it")) << cli.err.toStdString();
    cli.run({"images", cli.path("p.pdf"), "-o", cli.path("pages")}, "s3cret");
    EXPECT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_EQ(QDir(cli.path("pages")).entryList({"*.png"}).size(), 2);

    // An edited protected PDF stays protected; a new one is protected on request.
    cli.run({"delete", cli.path("p.pdf"), "--pages", "1", "-o", cli.path("d.pdf")}, "s3cret");
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_THROW(read(cli.path("d.pdf")), QPDFExc);
    EXPECT_EQ(read(cli.path("d.pdf"), "s3cret").widths.size(), 1U);
    const QString photo = cli.path("photo.jpg");
    ASSERT_TRUE(fixtures::writeJpeg(fixtures::photo(200, 100), photo));
    cli.run({"pdf", photo, "--protect", "-o", cli.path("q.pdf")}, "s3cret");
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_THROW(read(cli.path("q.pdf")), QPDFExc);
    cli.run({"protect", a, "-o", cli.path("none.pdf")}); // nobody to ask, nothing given
    EXPECT_EQ(cli.status, 2);
    EXPECT_TRUE(cli.err.contains("QUIRE_PDF_PASSWORD")) << cli.err.toStdString();
}
