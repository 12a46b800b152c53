// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScannedPage.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kA4LongSide = 841.89; // points
constexpr double kLetterLongSide = 792;
} // namespace

ScannedPage::Encoded ScannedPage::encode(const QImage& page, ScanFilter::Kind filter)
{
    Encoded encoded;
    const bool lines = filter == ScanFilter::BlackWhite;
    encoded.extension = lines ? QStringLiteral("png") : QStringLiteral("jpg");
    QBuffer buffer(&encoded.bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, lines ? "png" : "jpeg");
    if (!lines) {
        writer.setQuality(kJpegQuality);
        writer.setOptimizedWrite(true);
    }
    if (!writer.write(page))
        encoded.bytes.clear();
    return encoded;
}

qreal ScannedPage::pixelsPerPoint(QSize pixels)
{
    const int longSide = std::max(pixels.width(), pixels.height());
    const int shortSide = std::min(pixels.width(), pixels.height());
    if (longSide <= 0)
        return 1;
    const bool letter = std::abs(double(shortSide) / longSide - 8.5 / 11) < 0.005;
    return longSide / (letter ? kLetterLongSide : kA4LongSide);
}

Image ScannedPage::toImage(const QImage& page, ScanFilter::Kind filter)
{
    const Encoded encoded = encode(page, filter);
    if (encoded.bytes.isEmpty())
        return {};
    return Image::fromData(encoded.bytes, pixelsPerPoint(page.size()));
}
