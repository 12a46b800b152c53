// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageImages.h"

#include "common/InputFile.h"
#include "common/JobControl.h"
#include "common/JpegCheck.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <stdexcept>
#include <vector>

namespace {
[[noreturn]] void fail(const QString& message)
{
    throw std::runtime_error(message.toStdString());
}

// The encoded source as a device: the file itself, or the bytes held in memory.
std::unique_ptr<QIODevice> openSource(const Image& image)
{
    if (!image.sourcePath().isEmpty()) {
        if (auto file = InputFile::open(image.sourcePath()))
            return file;
        return std::make_unique<QBuffer>();
    }
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(image.sourceBytes());
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

bool isSixteenBit(QImage::Format f)
{
    return f == QImage::Format_Grayscale16 || f == QImage::Format_RGBX64 ||
           f == QImage::Format_RGBA64;
}

// The lossless layout that keeps every sample of format (and its alpha when it has one).
QImage::Format losslessLayout(QImage::Format f, bool alpha)
{
    switch (f) {
    case QImage::Format_Grayscale8:
    case QImage::Format_Grayscale16:
        return f;
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
        return alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64;
    default:
        return alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
    }
}
} // namespace

PageImages::Placed PageImages::add(QPDF& pdf, int page, const Image& image)
{
    Entry entry;
    entry.page = page;
    entry.image = image;
    if (image.sourceFormat() == "jpeg") {
        entry.jpeg = JpegInfo::read(*openSource(image));
        if (entry.jpeg.embeddable())
            return addJpeg(pdf, entry);
    }
    // What the header says is enough, except for palettes, which may hide transparency.
    QImage::Format format = QImage::Format_Invalid;
    bool alpha = false;
    if (image.hasSource()) {
        const auto device = openSource(image);
        QImageReader reader(device.get());
        format = reader.imageFormat();
        alpha = QImage::toPixelFormat(format).alphaUsage() == QPixelFormat::UsesAlpha;
    }
    if (format == QImage::Format_Invalid || format == QImage::Format_Indexed8 ||
        format == QImage::Format_Mono || format == QImage::Format_MonoLSB) {
        const QImage pixels = image.toQImage();
        if (pixels.isNull())
            fail(QStringLiteral("The picture of page %1 could not be read.").arg(page + 1));
        format = pixels.format();
        alpha = pixels.hasAlphaChannel();
    }
    entry.format = losslessLayout(format, alpha);
    return addLossless(pdf, entry);
}

PageImages::Placed PageImages::addJpeg(QPDF& pdf, Entry entry)
{
    entry.part = Part::Jpeg;
    QPDFObjectHandle stream = newImageStream(pdf, entry.jpeg.size, entry.jpeg.components, 8);
    if (entry.jpeg.components == 4 && entry.jpeg.adobe) // Adobe writes CMYK inverted
        stream.getDict().replaceKey("/Decode", QPDFObjectHandle::parse("[1 0 1 0 1 0 1 0]"));
    stream.replaceStreamData(shared_from_this(), QPDFObjectHandle::newName("/DCTDecode"),
                             QPDFObjectHandle::newNull());
    m_entries[stream.getObjGen()] = entry;
    return {stream, entry.jpeg.size, entry.image.transformation()};
}

PageImages::Placed PageImages::addLossless(QPDF& pdf, Entry entry)
{
    const QSize size = entry.image.pixelSize(); // decoded upright, so placed as it is
    const bool gray =
        entry.format == QImage::Format_Grayscale8 || entry.format == QImage::Format_Grayscale16;
    const bool alpha =
        entry.format == QImage::Format_RGBA8888 || entry.format == QImage::Format_RGBA64;
    const int bits = isSixteenBit(entry.format) ? 16 : 8;
    m_sixteenBits = m_sixteenBits || bits == 16;

    entry.part = Part::Colour;
    QPDFObjectHandle stream = newImageStream(pdf, size, gray ? 1 : 3, bits);
    stream.replaceStreamData(shared_from_this(), QPDFObjectHandle::newNull(),
                             QPDFObjectHandle::newNull());
    m_entries[stream.getObjGen()] = entry;
    if (alpha) {
        Entry mask = entry;
        mask.part = Part::Alpha;
        QPDFObjectHandle smask = newImageStream(pdf, size, 1, bits);
        smask.replaceStreamData(shared_from_this(), QPDFObjectHandle::newNull(),
                                QPDFObjectHandle::newNull());
        m_entries[smask.getObjGen()] = mask;
        stream.getDict().replaceKey("/SMask", smask);
    }
    return {stream, size, QImageIOHandler::TransformationNone};
}

QPDFObjectHandle PageImages::newImageStream(QPDF& pdf, QSize size, int components, int bits)
{
    auto dict = QPDFObjectHandle::newDictionary();
    dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
    dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Image"));
    dict.replaceKey("/Width", QPDFObjectHandle::newInteger(size.width()));
    dict.replaceKey("/Height", QPDFObjectHandle::newInteger(size.height()));
    dict.replaceKey("/ColorSpace", QPDFObjectHandle::newName(components == 1   ? "/DeviceGray"
                                                             : components == 4 ? "/DeviceCMYK"
                                                                               : "/DeviceRGB"));
    dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(bits));
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&pdf);
    stream.replaceDict(dict);
    return stream;
}

const QImage& PageImages::decoded(const Entry& entry)
{
    if (m_cachedPage != entry.page) {
        m_cached = QImage(); // let go of the last page before decoding the next
        m_cachedPage = -1;
        m_cached = entry.image.toQImage();
        if (m_cached.isNull() || m_cached.size() != entry.image.pixelSize())
            fail(QStringLiteral("The picture of page %1 could not be read.").arg(entry.page + 1));
        m_cached.convertTo(entry.format);
        m_cachedPage = entry.page;
    }
    return m_cached;
}

void PageImages::provideStreamData(QPDFObjGen const& og, Pipeline* pipeline)
{
    const Entry& entry = m_entries.at(og);
    if (m_job) {
        if (m_job->isCancelled())
            throw std::runtime_error("Cancelled.");
        if (entry.page > m_reportedPage) {
            m_reportedPage = entry.page;
            m_job->advance();
        }
    }
    if (entry.part == Part::Jpeg) {
        // One write of the whole photo: qpdf then holds it in a single buffer of the right size.
        // Read, not mapped: a file cut short meanwhile is then an error, not a SIGBUS.
        QByteArray bytes = entry.image.sourceBytes();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const JpegInfo now = JpegInfo::read(buffer);
        // Never a stream no decoder can open: a viewer would show an empty page.
        if (now.size != entry.jpeg.size || now.components != entry.jpeg.components ||
            !JpegCheck::opens(bytes))
            fail(QStringLiteral("The photo of page %1 could not be read.").arg(entry.page + 1));
        pipeline->write(reinterpret_cast<const unsigned char*>(bytes.constData()),
                        size_t(bytes.size()));
        pipeline->finish();
        return;
    }

    const QImage& image = decoded(entry);
    const int channels = image.depth() / (isSixteenBit(entry.format) ? 16 : 8);
    const int sampleBytes = isSixteenBit(entry.format) ? 2 : 1;
    // Which channels of a pixel this stream carries: colour without alpha, or alpha alone.
    const int first = entry.part == Part::Alpha ? 3 : 0;
    const int count = entry.part == Part::Alpha ? 1 : qMin(channels, 3);
    std::vector<unsigned char> row(size_t(image.width()) * size_t(count * sampleBytes));
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        unsigned char* out = row.data();
        if (sampleBytes == 1) {
            for (int x = 0; x < image.width(); ++x)
                for (int c = 0; c < count; ++c)
                    *out++ = line[x * channels + first + c];
        } else {
            const auto* samples = reinterpret_cast<const quint16*>(line);
            for (int x = 0; x < image.width(); ++x)
                for (int c = 0; c < count; ++c, out += 2)
                    qToBigEndian<quint16>(samples[x * channels + first + c], out);
        }
        pipeline->write(row.data(), row.size());
    }
    pipeline->finish();
}
