// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SamplePdfs.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>

#define POINTERHOLDER_TRANSITION 4 // the modern smart pointers only
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFJob.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <string>
#include <vector>

namespace samplepdfs {

namespace {
const char* const kProse =
    "Every page of the report is turned into an image of its own, upright and on white, so that "
    "it can be saved to the photo library, shared, or looked at alone. The figures below give "
    "the numbers for each quarter, and the notes that follow explain them line by line.";
} // namespace

int greyOf(int page)
{
    return 40 * (page + 1);
}

bool write(const QString& path, int pages, QSizeF sizePoints)
{
    QPdfWriter pdf(path);
    pdf.setResolution(72); // one unit per point
    pdf.setPageSize(QPageSize(sizePoints, QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            pdf.newPage();
        painter.fillRect(QRectF(0, 0, 60, 60), Qt::red);
        const int g = greyOf(i);
        painter.fillRect(QRectF(100, 0, 60, 60), QColor(g, g, g));
        // A page of text below the markers, so that it looks like the documents people convert.
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 20, QFont::Bold));
        painter.drawText(QPointF(72, 150), QStringLiteral("Section %1").arg(i + 1));
        painter.setFont(QFont(QStringLiteral("DejaVu Serif"), 11));
        const QString prose = QString::fromLatin1(kProse);
        painter.drawText(QRectF(72, 175, sizePoints.width() - 144, sizePoints.height() - 250),
                         Qt::TextWordWrap, (prose + QLatin1Char(' ')).repeated(6));
    }
    return painter.end();
}

QByteArray embeddedImage(const QString& path, int page)
{
    QPDF pdf;
    pdf.processFile(path.toLocal8Bit().constData());
    auto images = QPDFPageDocumentHelper(pdf).getAllPages().at(size_t(page)).getImages();
    if (images.size() != 1)
        return {};
    auto data = images.begin()->second.getRawStreamData();
    return {reinterpret_cast<const char*>(data->getBuffer()), qsizetype(data->getSize())};
}

bool qpdf(const QString& input, const QString& output, const QStringList& arguments)
{
    std::vector<std::string> args{"qpdf", input.toStdString(), output.toStdString()};
    for (const QString& a : arguments)
        args.push_back(a.toStdString());
    std::vector<const char*> argv;
    for (const auto& a : args)
        argv.push_back(a.c_str());
    argv.push_back(nullptr);
    try {
        QPDFJob job;
        job.initializeFromArgv(argv.data());
        job.run();
        return job.getExitCode() == 0;
    } catch (const std::exception&) {
        return false;
    }
}

bool writeShortPageTree(const QString& path, int pages, int present)
{
    QByteArray out("%PDF-1.4\n");
    std::vector<qsizetype> offsets;
    auto object = [&](const QByteArray& body) {
        offsets.push_back(out.size());
        out += QByteArray::number(qsizetype(offsets.size())) + " 0 obj\n" + body + "\nendobj\n";
    };
    QByteArray kids;
    for (int i = 0; i < present; ++i)
        kids += QByteArray::number(3 + i) + " 0 R ";
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages) + " >>");
    for (int i = 0; i < present; ++i)
        object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 100] >>");
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(qsizetype(offsets.size()) + 1) + "\n";
    out += "0000000000 65535 f \n";
    for (qsizetype o : offsets)
        out += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(qsizetype(offsets.size()) + 1) +
           " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(out) == out.size();
}

namespace {
// A Letter page that is picture (grey or RGB, 8 bits, stored as it is, named /Scan) over the
// whole page, or that content draws.
QPDFObjectHandle picturePage(QPDF& pdf, const QImage& picture, std::string content = {})
{
    const bool grey = picture.format() == QImage::Format_Grayscale8;
    const QImage samples = grey ? picture : picture.convertToFormat(QImage::Format_RGB888);
    QByteArray pixels;
    for (int y = 0; y < samples.height(); ++y)
        pixels.append(reinterpret_cast<const char*>(samples.constScanLine(y)),
                      samples.width() * (grey ? 1 : 3));
    auto image = QPDFObjectHandle::newStream(&pdf, pixels.toStdString());
    image.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    image.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    image.getDict().replaceKey("/Width", QPDFObjectHandle::newInteger(samples.width()));
    image.getDict().replaceKey("/Height", QPDFObjectHandle::newInteger(samples.height()));
    image.getDict().replaceKey("/ColorSpace",
                               QPDFObjectHandle::newName(grey ? "/DeviceGray" : "/DeviceRGB"));
    image.getDict().replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
    auto page = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] >>");
    auto resources = QPDFObjectHandle::parse("<< /XObject << >> >>");
    resources.getKey("/XObject").replaceKey("/Scan", image);
    page.replaceKey("/Resources", resources);
    if (content.empty())
        content = "q 612 0 0 792 0 0 cm /Scan Do Q";
    page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
    return pdf.makeIndirectObject(page);
}

// A page drawn as one grey picture of printed words, as a scanner makes it, at 150 dpi.
QPDFObjectHandle scannedPage(QPDF& pdf, const QString& words, const QString& footer)
{
    QImage scan(1275, 1650, QImage::Format_Grayscale8);
    scan.fill(255);
    QPainter painter(&scan);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(48);
    painter.setFont(font);
    painter.drawText(QRect(100, 200, 1100, 600), Qt::AlignLeft, words);
    font.setPixelSize(20);
    painter.setFont(font);
    painter.drawText(QRect(100, 1500, 1075, 50), Qt::AlignRight, footer);
    painter.end();
    return picturePage(pdf, scan);
}

QPDFObjectHandle typedPage(QPDF& pdf, const QString& words)
{
    auto page = QPDFObjectHandle::parse(
        "<< /Type /Page /MediaBox [0 0 612 792] /Resources << /Font << /F1 << /Type /Font "
        "/Subtype /Type1 /BaseFont /Helvetica >> >> >> >>");
    page.replaceKey("/Contents",
                    QPDFObjectHandle::newStream(&pdf, "BT /F1 24 Tf 72 700 Td (" +
                                                          words.toStdString() + ") Tj ET"));
    return pdf.makeIndirectObject(page);
}
} // namespace

bool writeScannedAndTyped(const QString& path, const QString& scanned, const QString& typed,
                          const QByteArray& password, const QString& footer)
{
    QPDF pdf;
    pdf.emptyPDF();
    pdf.addPage(scannedPage(pdf, scanned, footer), false);
    pdf.addPage(typedPage(pdf, typed), false);
    const QByteArray file = QFile::encodeName(path); // the writer keeps the pointer
    QPDFWriter writer(pdf, file.constData());
    writer.setCompressStreams(true);
    if (!password.isEmpty())
        writer.setR6EncryptionParameters(password.constData(), password.constData(), true, true,
                                         true, true, true, true, qpdf_r3p_full, true);
    writer.write();
    return QFile::exists(path);
}

bool writePictures(const QString& path, const QList<QImage>& pictures, const QStringList& contents)
{
    QPDF pdf;
    pdf.emptyPDF();
    for (qsizetype i = 0; i < pictures.size(); ++i)
        pdf.addPage(picturePage(pdf, pictures[i], contents.value(i).toStdString()), false);
    const QByteArray file = QFile::encodeName(path);
    QPDFWriter writer(pdf, file.constData());
    writer.setCompressStreams(true);
    writer.write();
    return QFile::exists(path);
}

} // namespace samplepdfs
