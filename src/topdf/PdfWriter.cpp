// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfWriter.h"

#include "BufferReuse.h"
#include "JpegInfo.h"
#include "PageImages.h"
#include "common/JobControl.h"
#include "topdf/PdfPassword.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QIODevice>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {
// The end of qpdf's output chain: straight into the device, failing loudly.
class DevicePipeline : public Pipeline
{
  public:
    explicit DevicePipeline(QIODevice& out) : Pipeline("device", nullptr), m_out(out) {}
    void write(unsigned char const* data, size_t len) override
    {
        if (m_out.write(reinterpret_cast<const char*>(data), qint64(len)) != qint64(len))
            throw std::runtime_error(m_out.errorString().toStdString());
    }
    void finish() override {}

  private:
    QIODevice& m_out;
};

std::string number(double v)
{
    QString s = QString::number(v, 'f', 6);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s == QLatin1String("-0") ? "0" : s.toStdString();
}

// Maps the image's unit square onto target (page points, y up) so that stored pixels stand
// upright and fill it.
QTransform placement(QSize stored, QImageIOHandler::Transformations t, const QRectF& target)
{
    const qreal w = stored.width(), h = stored.height();
    // Unit square (PDF image space, first row at the top) to stored pixels, y down.
    QTransform m(w, 0, 0, -h, 0, h);
    // Stored pixels to upright pixels, as a reader applying EXIF orientation turns them.
    if (t & QImageIOHandler::TransformationMirror)
        m *= QTransform(-1, 0, 0, 1, w, 0);
    if (t & QImageIOHandler::TransformationFlip)
        m *= QTransform(1, 0, 0, -1, 0, h);
    QSizeF upright(w, h);
    if (t & QImageIOHandler::TransformationRotate90) {
        m *= QTransform(0, 1, -1, 0, h, 0); // a quarter turn clockwise
        upright.transpose();
    }
    // Upright pixels to page points, y up.
    m *= QTransform(target.width() / upright.width(), 0, 0, -target.height() / upright.height(),
                    target.x(), target.y() + target.height());
    return m;
}

std::string matrix(const QTransform& m)
{
    return number(m.m11()) + ' ' + number(m.m12()) + ' ' + number(m.m21()) + ' ' + number(m.m22()) +
           ' ' + number(m.dx()) + ' ' + number(m.dy()) + " cm";
}

// The first page of the PDF at path as a form XObject of pdf, and the transform that stretches
// it over target. The source document must outlive the writing of pdf.
QPDFObjectHandle overlayForm(QPDF& pdf, QPDF& source, const QString& path, const QRectF& target,
                             QTransform& m)
{
    source.processFile(path.toLocal8Bit().constData());
    auto pages = QPDFPageDocumentHelper(source).getAllPages();
    if (pages.empty())
        throw std::runtime_error("The text layer has no page.");
    QPDFObjectHandle form = pages.front().getFormXObjectForPage();
    const auto bbox = form.getDict().getKey("/BBox").getArrayAsRectangle();
    const qreal w = bbox.urx - bbox.llx, h = bbox.ury - bbox.lly;
    const bool positive = w > 0 && h > 0; // false for NaN too
    if (!positive)
        throw std::runtime_error("The text layer's page is empty.");
    m = QTransform::fromTranslate(-bbox.llx, -bbox.lly) *
        QTransform::fromScale(target.width() / w, target.height() / h) *
        QTransform::fromTranslate(target.x(), target.y());
    return pdf.copyForeignObject(form);
}

QPDFObjectHandle box(QSizeF size)
{
    auto a = QPDFObjectHandle::newArray();
    a.appendItem(QPDFObjectHandle::newInteger(0));
    a.appendItem(QPDFObjectHandle::newInteger(0));
    a.appendItem(QPDFObjectHandle::newReal(size.width(), 4));
    a.appendItem(QPDFObjectHandle::newReal(size.height(), 4));
    return a;
}
// Viewers refuse pages beyond 14,400 units a side; a larger page keeps its size by counting in
// larger units (/UserUnit) instead. 1 for every page within the limit.
qreal userUnit(QSizeF size)
{
    constexpr qreal kMaxSide = 14400;
    const qreal side = std::max(size.width(), size.height());
    return side <= kMaxSide ? 1 : std::ceil(side / kMaxSide * 1000) / 1000;
}
} // namespace

namespace PdfWriter {

bool write(const QList<Image>& images, QIODevice& out, QString& error, JobControl* job,
           const Options& options)
{
    const BufferReuse reuse;
    try {
        QPDF pdf;
        pdf.emptyPDF();
        std::vector<std::unique_ptr<QPDF>> overlays; // read from until the document is written
        auto pages = std::make_shared<PageImages>();
        bool largePages = false;
        pages->setJob(job);
        if (job) // after the pages' text was read, when it was
            job->setTotal(std::max(job->total(), job->done() + int(images.size())));
        for (int i = 0; i < images.size(); ++i) {
            const Image& image = images[i];
            const QSizeF size = image.size();
            if (image.isNull() || size.isEmpty())
                throw std::runtime_error(
                    QStringLiteral("Page %1 has no picture.").arg(i + 1).toStdString());
            const PageImages::Placed placed = pages->add(pdf, i, image);
            const PageSetup::Placement at = options.setup.place(size);
            const qreal unit = userUnit(at.page);
            const QRectF target(at.image.topLeft() / unit, at.image.size() / unit);
            const QTransform m = placement(placed.stored, placed.transformation, target);
            std::string content = "q " + matrix(m) + " /Im0 Do Q\n";

            auto xobjects = QPDFObjectHandle::newDictionary();
            xobjects.replaceKey("/Im0", placed.stream);
            if (const QString layer = options.overlays.value(i); !layer.isEmpty()) {
                overlays.push_back(std::make_unique<QPDF>());
                QTransform t;
                xobjects.replaceKey("/Tx0", overlayForm(pdf, *overlays.back(), layer, target, t));
                content += "q " + matrix(t) + " /Tx0 Do Q\n";
            }
            auto resources = QPDFObjectHandle::newDictionary();
            resources.replaceKey("/XObject", xobjects);
            auto page = QPDFObjectHandle::newDictionary();
            page.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
            page.replaceKey("/MediaBox", box(at.page / unit));
            if (unit != 1) {
                page.replaceKey("/UserUnit", QPDFObjectHandle::newReal(unit, 3));
                largePages = true;
            }
            page.replaceKey("/Resources", resources);
            page.replaceKey("/Contents", QPDFObjectHandle::newStream(&pdf, content));
            pdf.addPage(pdf.makeIndirectObject(page), false);
        }
        DevicePipeline pipe(out);
        QPDFWriter writer(pdf);
        writer.setOutputPipeline(&pipe);
        if (largePages)
            writer.setMinimumPDFVersion("1.6");
        else if (pages->needsSixteenBits())
            writer.setMinimumPDFVersion("1.5");
        if (!options.password.isEmpty())
            PdfPassword::protect(writer, options.password);
        writer.write();
        return true;
    } catch (const std::exception& e) {
        error = QString::fromStdString(e.what());
        return false;
    }
}

HistoryStore::Writer writer(QList<Image> images, JobControl* job, Options options)
{
    return [images = std::move(images), job, options = std::move(options)](
               QIODevice& out, QString& error) { return write(images, out, error, job, options); };
}

} // namespace PdfWriter

HistoryStore::Written writePDF(HistoryStore& history, qint64 stem, const QList<Image>& images,
                               JobControl* job, const PdfWriter::Options& options)
{
    return history.write(stem, QStringLiteral("pdf"), PdfWriter::writer(images, job, options));
}
