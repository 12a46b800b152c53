// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFileInfo>
#include <QPdfDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "support/CliProcess.h"
#include "support/SamplePdfs.h"

#include <gtest/gtest.h>

namespace {
const QString kScanned = QStringLiteral("Searchable pages help everyone");
const QString kTyped = QStringLiteral("Typed words stay");

// The real quire-cli in a temporary documents area, with a password when given.
struct Cli : CliProcess
{
    void run(const QStringList& args, const QByteArray& password = {})
    {
        env.remove(QStringLiteral("QUIRE_PDF_PASSWORD"));
        if (!password.isEmpty())
            env.insert(QStringLiteral("QUIRE_PDF_PASSWORD"), QString::fromUtf8(password));
        CliProcess::run(args);
    }
};

// Each page's content streams, as bytes.
std::vector<std::vector<std::string>> contents(const QString& path, const QByteArray& password = {})
{
    QPDF pdf;
    pdf.processFile(path.toLocal8Bit().constData(), password.constData());
    std::vector<std::vector<std::string>> pages;
    for (auto& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        pages.emplace_back();
        for (auto& stream : page.getPageContents()) {
            const auto data = stream.getStreamData(qpdf_dl_generalized);
            pages.back().emplace_back(reinterpret_cast<const char*>(data->getBuffer()),
                                      data->getSize());
        }
    }
    return pages;
}

QString pageText(const QString& path, int page, const QByteArray& password = {})
{
    QPdfDocument doc;
    doc.setPassword(QString::fromUtf8(password));
    if (doc.load(path) != QPdfDocument::Error::None)
        return {};
    return doc.getAllText(page).text();
}
} // namespace

TEST(PdfOcr, TheScannedPageGetsItsTextOverItsOwnContentAndTheTypedPageIsLeftAlone)
{
    Cli cli;
    const QString in = cli.path("in.pdf");
    // The page number and the bullets are marks the engine's layout drops or misreads.
    ASSERT_TRUE(samplepdfs::writeScannedAndTyped(
        in, QStringLiteral("\u2022 Searchable pages\n\u2022 help well-read people"), kTyped, {},
        QStringLiteral("7")));
    ASSERT_TRUE(pageText(in, 0).trimmed().isEmpty());

    cli.run({"ocr", in, "--searchable", "-o", cli.path("out.pdf")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    const QString out = cli.path("out.pdf");
    EXPECT_EQ(cli.out.trimmed(), out);
    EXPECT_EQ(pageText(out, 0).simplified(),
              QStringLiteral("\u2022 Searchable pages \u2022 help well-read people 7"));
    const auto before = contents(in);
    const auto after = contents(out);
    ASSERT_EQ(after.size(), 2u);
    // The scan's own drawing is there unchanged between the added streams; the typed page is
    // untouched; the file grew by the words alone.
    ASSERT_EQ(after[0].size(), 3u);
    EXPECT_EQ(after[0][1], before[0][0]);
    EXPECT_EQ(after[1], before[1]);
    EXPECT_LT(QFileInfo(out).size(), QFileInfo(in).size() + 30 * 1024);

    // Done again, nothing is left to read; with --force the typed page is read too.
    cli.run({"ocr", out, "--searchable", "-o", cli.path("again.pdf")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_EQ(contents(cli.path("again.pdf")), after);
    cli.run({"ocr", in, "--searchable", "--force", "-o", cli.path("forced.pdf")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_EQ(contents(cli.path("forced.pdf"))[1].size(), 3u);
}

TEST(PdfOcr, PlainOcrPrintsEveryPageAndAProtectedPdfNeedsItsPassword)
{
    Cli cli;
    const QString in = cli.path("locked.pdf");
    ASSERT_TRUE(samplepdfs::writeScannedAndTyped(in, kScanned, kTyped, "s3cret"));

    cli.run({"ocr", in});
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains(QStringLiteral("is protected by a password")))
        << cli.err.toStdString();
    cli.run({"ocr", in, "--searchable", "-o", cli.path("out.pdf")}, "wrong");
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains(QStringLiteral("the one given does not open it")));
    EXPECT_FALSE(QFileInfo::exists(cli.path("out.pdf")));

    cli.run({"ocr", in}, "s3cret");
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    const QStringList pages = cli.out.split(QLatin1Char('\f'));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("everyone"))) << cli.out.toStdString();
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Typed"))) << cli.out.toStdString();

    // The searchable copy keeps the input's protection.
    cli.run({"ocr", in, "--searchable", "-o", cli.path("out.pdf")}, "s3cret");
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_TRUE(pageText(cli.path("out.pdf"), 0).isEmpty());
    EXPECT_TRUE(pageText(cli.path("out.pdf"), 0, "s3cret").contains(QStringLiteral("everyone")));
}
