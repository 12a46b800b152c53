// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegCompressor.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace {
// Counts what is written and drops it: the size of an encoding without holding it.
class CountingDevice : public QIODevice
{
  public:
    qint64 count = 0;

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override
    {
        count += len;
        return len;
    }
};

bool encodeTo(QIODevice& out, const QImage& pixels, int quality)
{
    if (pixels.isNull())
        return false;
    // JPEG has no alpha: lay transparent areas on white, as a viewer would show them.
    QImage opaque = pixels;
    if (pixels.hasAlphaChannel()) {
        opaque = QImage(pixels.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, pixels);
    }
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(qBound(0, quality, 100));
    writer.setOptimizedWrite(true);
    return writer.write(opaque);
}
} // namespace

QByteArray JpegCompressor::encode(const QImage& pixels, int quality)
{
    // The decoder hands a JPEG's comments over as the image's text, and the writer would put
    // them back: the same pixels without them (a copy carries only the metadata chosen for it).
    QImage bare(pixels.constBits(), pixels.width(), pixels.height(), pixels.bytesPerLine(),
                pixels.format());
    bare.setColorTable(pixels.colorTable());
    bare.setColorSpace(pixels.colorSpace());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!encodeTo(buffer, pixels.isNull() ? pixels : bare, quality))
        return {};
    return bytes;
}

QByteArray JpegCompressor::encode(const Image& photo, int quality)
{
    return encode(photo.toQImage(), quality);
}

qint64 JpegCompressor::encodedSize(const Image& photo, int quality)
{
    CountingDevice counter;
    counter.open(QIODevice::WriteOnly);
    if (!encodeTo(counter, photo.toQImage(), quality))
        return -1;
    return counter.count;
}

bool JpegCompressor::decodes(const QByteArray& bytes)
{
    // The decoder fills a cut-off stream with grey and only warns; a whole one ends with EOI.
    if (!bytes.endsWith(QByteArrayView("\xff\xd9", 2)))
        return false;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    if (!reader.canRead() || !reader.size().isValid())
        return false;
    // An eighth of the size still reads every coded block, at a fraction of the cost.
    reader.setScaledSize((reader.size() / 8).expandedTo({1, 1}));
    return !reader.read().isNull();
}

QImage JpegCompressor::decode(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(true);
    return reader.read();
}
