// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageDrawing.h"

#include "common/VectorLoops.h"
#include "image/PngEncoder.h"

#include <QPdfDocument>
#include <QRgb>

#include <algorithm>
#include <cmath>

namespace pagedrawing {
namespace {
// Pages have always said 96 dpi, what Qt assumes of a display; a helper without one would say 100.
constexpr int kDotsPerMeter = 3780;

QImage withDisplayDpi(QImage image)
{
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    return image;
}

QImage drawAt(QPdfDocument& document, int index, QSize pixels)
{
    QPdfDocumentRenderOptions options;
    options.setRenderFlags(QPdfDocumentRenderOptions::RenderFlag::Annotations);
    return document.render(index, pixels, options);
}

// Lays a row on white in place and answers the channel bits in which some pixel is not grey.
// Without branches the loop vectorizes: a bare pixel (alpha 0) premultiplies to 0 and a covered
// one (alpha 255) to itself, so one formula serves every pixel.
QUIRE_VECTOR_LOOPS quint32 flattenRow(quint32* line, int width, bool straight)
{
    quint32 notGrey = 0;
    for (int x = 0; x < width; ++x) {
        const quint32 q = line[x];
        const quint32 a = q >> 24;
        // Over white, a premultiplied channel c of alpha a becomes c + 255 - a.
        const quint32 p = straight ? qPremultiply(q) : q;
        const quint32 flat = a == 0 ? 0xffffffffu : (p + (255 - a) * 0x010101u) | 0xff000000u;
        line[x] = flat;
        notGrey |= ((flat >> 8) ^ flat) & 0xffffu;
    }
    return notGrey;
}

QUIRE_VECTOR_LOOPS void greyRow(const quint32* line, int width, uchar* out)
{
    for (int x = 0; x < width; ++x)
        out[x] = uchar(line[x]);
}
} // namespace

QSize pixelsAt(QSizeF points, qreal wanted, qreal& scale)
{
    const bool positive = points.width() > 0 && points.height() > 0; // false for NaN too
    if (!positive)
        return {};
    const qreal area = points.width() * points.height();
    scale = std::min(wanted, std::sqrt(qreal(maxPixelsPerPage) / area));
    return (points * scale).toSize().expandedTo(QSize(1, 1));
}

QSize pixelsToFit(QSizeF points, QSize size)
{
    const bool positive = points.width() > 0 && points.height() > 0;
    if (!positive || size.isEmpty())
        return {};
    const qreal area = qreal(size.width()) * size.height();
    if (area > qreal(maxPixelsPerPage))
        size = (QSizeF(size) * std::sqrt(qreal(maxPixelsPerPage) / area)).toSize();
    return points.scaled(QSizeF(size), Qt::KeepAspectRatio).toSize().expandedTo(QSize(1, 1));
}

QImage draw(QPdfDocument& document, int index, qreal wanted, qreal& scale)
{
    // The page size as viewers show it: rotated and cropped.
    const QSize pixels = pixelsAt(document.pagePointSize(index), wanted, scale);
    return pixels.isEmpty() ? QImage() : drawAt(document, index, pixels);
}

QImage drawToFit(QPdfDocument& document, int index, QSize size)
{
    const QSize pixels = pixelsToFit(document.pagePointSize(index), size);
    return pixels.isEmpty() ? QImage() : drawAt(document, index, pixels);
}

QImage flattenOnWhite(QImage page)
{
    if (page.format() == QImage::Format_Grayscale8)
        return page; // no alpha: nothing to lay on white, and one channel already
    // PDFium draws straight alpha, Poppler premultiplied; either is flattened where it lies.
    const QImage::Format f = page.format();
    if (f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied &&
        f != QImage::Format_RGB32)
        page.convertTo(QImage::Format_ARGB32_Premultiplied);
    const bool straight = page.format() == QImage::Format_ARGB32;
    const int height = page.height();
    quint32 notGrey = 0;
    for (int y = 0; y < height; ++y)
        notGrey |= flattenRow(reinterpret_cast<quint32*>(page.scanLine(y)), page.width(), straight);
    page.reinterpretAsFormat(QImage::Format_RGB32);
    if (notGrey != 0)
        return withDisplayDpi(std::move(page));
    // One channel encodes about three times faster and smaller.
    QImage out(page.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        greyRow(reinterpret_cast<const quint32*>(page.constScanLine(y)), page.width(),
                out.scanLine(y));
    return withDisplayDpi(std::move(out));
}

QByteArray encodePng(const QImage& image)
{
    return PngEncoder::encode(image);
}
} // namespace pagedrawing
