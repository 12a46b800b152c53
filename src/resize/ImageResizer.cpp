// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageResizer.h"

#include "compress/PhotoMetadata.h"
#include "image/RowScaler.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace {
// The photo upright, decoded no larger than needed to cover target. A JPEG shrinks by 2, 4 or 8
// while it is read (a good low-pass of its own), which keeps a 12-megapixel bitmap out of
// memory; the rest of the way is left to the area-averaging step.
QImage decodeAtLeast(const Image& photo, QSize target)
{
    if (!photo.hasSource() || photo.sourceFormat() != "jpeg")
        return photo.toQImage();
    const QSize upright = photo.pixelSize();
    int factor = 1;
    for (int k : {8, 4, 2}) {
        if (upright.width() / k >= target.width() && upright.height() / k >= target.height()) {
            factor = k;
            break;
        }
    }
    if (factor == 1)
        return photo.toQImage();
    QBuffer buffer;
    QImageReader reader;
    if (!photo.sourcePath().isEmpty()) {
        reader.setFileName(photo.sourcePath());
    } else {
        buffer.setData(photo.sourceBytes());
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
    }
    reader.setAutoTransform(true);
    reader.setQuality(100); // accurate inverse DCT and smooth chroma
    const bool turned = photo.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize stored = turned ? upright.transposed() : upright;
    // What the decoder makes at 1/factor, so that no further scaling happens inside it.
    reader.setScaledSize(
        {(stored.width() + factor - 1) / factor, (stored.height() + factor - 1) / factor});
    QImage out = reader.read();
    return out.isNull() ? photo.toQImage() : out;
}
} // namespace

QSizeF ImageResizer::drawingSize(QSizeF original, double width, double height, bool keepAspect)
{
    if (!keepAspect || original.isEmpty())
        return {width, height};
    const double r = std::min(width / original.width(), height / original.height());
    return {original.width() * r, original.height() * r};
}

QSize ImageResizer::pixelSize(QSizeF drawing)
{
    // A fit computed as 999.9999999 or 1000.0000001 is 1000 pixels; a real fraction counts whole.
    const auto side = [](double v) {
        return std::isfinite(v) && v > 0 ? qint64(std::min(std::ceil(v - 1e-6), 1e9)) : qint64(0);
    };
    return {int(side(drawing.width())), int(side(drawing.height()))};
}

ImageResizer::Refusal ImageResizer::check(QSizeF drawing)
{
    const QSize px = pixelSize(drawing);
    if (px.width() <= 0 || px.height() <= 0)
        return Refusal::Empty;
    if (px.width() > kMaxSide || px.height() > kMaxSide ||
        qint64(px.width()) * px.height() > kMaxPixels)
        return Refusal::TooLarge;
    return Refusal::None;
}

QImage ImageResizer::draw(const Image& photo, QSizeF drawing)
{
    if (check(drawing) != Refusal::None || photo.isNull())
        return {};
    const QSize target = pixelSize(drawing);
    const QSize full = photo.pixelSize();
    QImage result;
    // A large photo shrinks as its rows stream past: its whole bitmap never exists.
    if (RowScaler::suits(photo) && target.width() <= full.width() &&
        target.height() <= full.height())
        result = RowScaler::draw(photo, target);
    if (result.isNull())
        result = draw(decodeAtLeast(photo, target), drawing);
    // The capture date goes along into the PNG's text, so the copy sorts with its photo.
    if (photo.sourceFormat() == "jpeg") {
        const QDateTime taken =
            PhotoMetadata::captureTime(PhotoMetadata::exifOf(photo.sourceBytes()));
        if (taken.isValid() && !result.isNull())
            result.setText(QStringLiteral("Creation Time"), taken.toString(Qt::ISODate));
    }
    return result;
}

QImage ImageResizer::draw(const QImage& pixels, QSizeF drawing)
{
    if (check(drawing) != Refusal::None || pixels.isNull())
        return {};
    const QSize target = pixelSize(drawing);
    if (pixels.size() == target)
        return pixels;
    // Smooth scaling averages every source pixel under each result pixel when shrinking and
    // interpolates when enlarging.
    QImage out = pixels.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.setDevicePixelRatio(1.0);
    return out;
}

bool ImageResizer::writePng(const QImage& result, QIODevice& out, QString& error)
{
    QImageWriter writer(&out, "png");
    writer.setQuality(70);
    if (writer.write(result))
        return true;
    error = writer.errorString();
    return false;
}

bool ImageResizer::writeJpeg(const QImage& result, QIODevice& out, QString& error)
{
    QImage flat(result.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, result);
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(92);
    if (writer.write(flat))
        return true;
    error = writer.errorString();
    return false;
}

QString ImageResizer::formatForName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix.isEmpty() || suffix == QLatin1String("png"))
        return QStringLiteral("png");
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return QStringLiteral("jpeg");
    return {};
}
