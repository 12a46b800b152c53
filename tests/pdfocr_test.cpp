// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "support/CliProcess.h"

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

// A Letter page drawn as one grey picture of printed words, as a scanner makes it, at 150 dpi.
QPDFObjectHandle scannedPage(QPDF& pdf)
{
    QImage scan(1275, 1650, QImage::Format_Grayscale8);
    scan.fill(255);
    QPainter painter(&scan);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(48);
    painter.setFont(font);
    painter.drawText(QRect(100, 200, 1100, 200), Qt::AlignLeft, kScanned);
    painter.end();
    QByteArray pixels;
    for (int y = 0; y < scan.height(); ++y)
        pixels.append(reinterpret_cast<const char*>(scan.constScanLine(y)), scan.width());
    auto image = QPDFObjectHandle::newStream(&pdf, pixels.toStdString());
    image.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    image.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    image.getDict().replaceKey("/Width", QPDFObjectHandle::newInteger(scan.width()));
    image.getDict().replaceKey("/Height", QPDFObjectHandle::newInteger(scan.height()));
    image.getDict().replaceKey("/ColorSpace", QPDFObjectHandle::newName("/DeviceGray"));
    image.getDict().replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    auto page = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] >>");
    auto resources = QPDFObjectHandle::parse("<< /XObject << >> >>");
    resources.getKey("/XObject").replaceKey("/Scan", image);
    page.replaceKey("/Resources", resources);
    page.replaceKey("/Contents",
                    QPDFObjectHandle::newStream(&pdf, "q 612 0 0 792 0 0 cm /Scan Do Q"));
    return pdf.makeIndirectObject(page);
}

// A page of typed text.
QPDFObjectHandle typedPage(QPDF& pdf)
{
    auto page = QPDFObjectHandle::parse(
        "<< /Type /Page /MediaBox [0 0 612 792] /Resources << /Font << /F1 << /Type /Font "
        "/Subtype /Type1 /BaseFont /Helvetica >> >> >> >>");
    page.replaceKey("/Contents",
                    QPDFObjectHandle::newStream(&pdf, "BT /F1 24 Tf 72 700 Td (" +
                                                          kTyped.toStdString() + ") Tj ET"));
    return pdf.makeIndirectObject(page);
}

void writeSample(const QString& path, const QByteArray& password = {})
{
    QPDF pdf;
    pdf.emptyPDF();
    pdf.addPage(scannedPage(pdf), false);
    pdf.addPage(typedPage(pdf), false);
    const QByteArray file = QFile::encodeName(path); // the writer keeps the pointer
    QPDFWriter writer(pdf, file.constData());
    writer.setCompressStreams(true);
    if (!password.isEmpty())
        writer.setR6EncryptionParameters(password.constData(), password.constData(), true, true,
                                         true, true, true, true, qpdf_r3p_full, true);
    writer.write();
}

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
    writeSample(in);
    ASSERT_TRUE(pageText(in, 0).trimmed().isEmpty());

    cli.run({"ocr", in, "--searchable", "-o", cli.path("out.pdf")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    const QString out = cli.path("out.pdf");
    EXPECT_EQ(cli.out.trimmed(), out);
    EXPECT_TRUE(pageText(out, 0).contains(QStringLiteral("Searchable")))
        << pageText(out, 0).toStdString();
    EXPECT_TRUE(pageText(out, 0).contains(QStringLiteral("everyone")));
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
    writeSample(in, "s3cret");

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
