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

} // namespace samplepdfs
