// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfShrinker.h"

#include "ImagePlacement.h"
#include "ShrinkPlan.h"
#include "StreamRecoder.h"
#include "compress/SizeTarget.h"
#include "topdf/PdfPassword.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>

namespace {
Q_LOGGING_CATEGORY(lcPdfShrink, "quire.pdfshrink")

using Entry = ShrinkPlan::Entry;

// The qualities a size target chooses from, highest first: each image is requantized at every
// one once, and the file's size at each is told from the sum of its images' sizes.
const std::vector<int> kTargetQualities{90, 80, 70, 60, 50, 40, 35, 30, 25, 20, 15, 10};

QByteArray written(QPDF& pdf, const QByteArray& protect)
{
    QPDFWriter writer(pdf);
    if (!protect.isEmpty())
        PdfPassword::protect(writer, protect);
    writer.setOutputMemory();
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.setCompressStreams(true);
    // Flate streams were deflated again already, smaller than zlib would make them.
    writer.setRecompressFlate(false);
    writer.write();
    const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
    return {reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize())};
}

bool isImage(const Entry& entry)
{
    return entry.job.size.isValid();
}

// Puts every JPEG's result at index in place; the number of images changed.
int applyJpegs(std::vector<Entry>& entries, size_t index)
{
    int changed = 0;
    for (Entry& entry : entries)
        if (entry.job.kind == StreamJob::Kind::Jpeg)
            changed += ShrinkPlan::apply(entry, index) ? 1 : 0;
    return changed;
}

// The size of the file with the JPEGs at index, told from the file without them changed.
qint64 estimate(const std::vector<Entry>& entries, size_t index, qint64 untouched)
{
    qint64 size = untouched;
    for (const Entry& entry : entries) {
        const StreamJob& job = entry.job;
        if (job.kind == StreamJob::Kind::Jpeg && index < job.encoded.size() &&
            !job.encoded[index].isEmpty())
            size -= job.stored.size() - job.encoded[index].size();
    }
    return size;
}

// The highest quality of kTargetQualities whose file fits settings.maxBytes into result.
QByteArray fit(QPDF& pdf, std::vector<Entry>& entries, const PdfShrinker::Settings& settings,
               PdfShrinker::Result& result, int& imagesChanged)
{
    const qint64 maxBytes = settings.maxBytes;
    QByteArray untouched = written(pdf, settings.protect);
    if (untouched.size() <= maxBytes) {
        result.quality = 100; // it fits without a lossy change: its images stay as they are
        return untouched;
    }
    for (size_t k = 0; k < kTargetQualities.size(); ++k) {
        if (estimate(entries, k, untouched.size()) > maxBytes)
            continue;
        imagesChanged = applyJpegs(entries, k);
        QByteArray bytes = written(pdf, settings.protect);
        qCDebug(lcPdfShrink) << "quality" << kTargetQualities[k] << "estimated"
                             << estimate(entries, k, untouched.size()) << "written" << bytes.size();
        if (bytes.size() <= maxBytes) {
            result.quality = kTargetQualities[k];
            return bytes;
        }
    }
    result.error = QCoreApplication::translate("PdfShrinker", "cannot be made to fit under %1")
                       .arg(SizeTarget::text(maxBytes));
    return {};
}
} // namespace

PdfShrinker::Result PdfShrinker::shrink(const QByteArray& pdf, const Settings& settings)
{
    Result result;
    result.inputBytes = pdf.size();
    try {
        QPDF doc;
        doc.setSuppressWarnings(true);
        doc.processMemoryFile("input", pdf.constData(), size_t(pdf.size()),
                              settings.password.c_str());
        QPDFPageDocumentHelper pages(doc);
        result.pages = int(pages.getAllPages().size());
        try {
            pages.removeUnreferencedResources();
        } catch (const std::exception& e) {
            qCDebug(lcPdfShrink) << "resources kept:"
                                 << e.what(); // a content stream qpdf cannot read
        }
        const bool target = settings.maxBytes > 0;
        const std::map<QPDFObjGen, double> scales = settings.dpi > 0
                                                        ? ImagePlacement::scales(doc, settings.dpi)
                                                        : std::map<QPDFObjGen, double>();
        ShrinkPlan plan(doc, target ? kTargetQualities : std::vector{settings.quality}, scales);
        std::vector<Entry>& entries = plan.entries();
        QtConcurrent::blockingMap(entries, [](Entry& entry) { StreamRecoder::recode(entry.job); });
        int changed = 0;
        for (Entry& entry : entries)
            if (entry.job.kind == StreamJob::Kind::Deflate && ShrinkPlan::apply(entry, 0))
                changed += isImage(entry) ? 1 : 0;
        int jpegsChanged = 0;
        QByteArray bytes;
        if (target) {
            bytes = fit(doc, entries, settings, result, jpegsChanged);
            if (!result.ok())
                return result;
        } else {
            jpegsChanged = applyJpegs(entries, 0);
            result.quality = settings.quality;
            bytes = written(doc, settings.protect);
        }
        result.imagesChanged = changed + jpegsChanged;
        qCDebug(lcPdfShrink) << entries.size() << "streams," << result.imagesChanged
                             << "images changed:" << pdf.size() << "to" << bytes.size();
        if (bytes.size() < pdf.size())
            result.bytes = bytes;
        else
            result.smallest = true;
    } catch (const QPDFExc& e) {
        qCDebug(lcPdfShrink) << e.what();
        const char* why = e.getErrorCode() != qpdf_e_password
                              ? QT_TRANSLATE_NOOP("PdfShrinker", "not a readable PDF")
                          : settings.password.empty()
                              ? QT_TRANSLATE_NOOP("PdfShrinker", "is protected by a password")
                              : QT_TRANSLATE_NOOP("PdfShrinker", "the password is not right");
        result.error = QCoreApplication::translate("PdfShrinker", why);
    } catch (const std::exception& e) {
        qCDebug(lcPdfShrink) << e.what();
        result.error = QCoreApplication::translate("PdfShrinker", "not a readable PDF");
    }
    return result;
}
