// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Typed sizes: a width and a height as text, fitted to a photo or not, then checked against the
// limits before anything is drawn.
#include "FuzzSupport.h"
#include "resize/ImageResizer.h"

#include <QString>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    // Two bytes of photo size each side, one flag byte, then "width\nheight".
    const QSizeF original(1 + (data[0] << 8 | data[1]), 1 + (data[2] << 8 | data[3]));
    const bool keepAspect = size > 4 && (data[4] & 1);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data) + qMin<size_t>(5, size),
                          qsizetype(size - qMin<size_t>(5, size)));
    const QStringList fields = text.split(QLatin1Char('\n'));
    const auto number = [](const QString& t) {
        bool ok = false;
        const double v = t.trimmed().toDouble(&ok);
        return ok ? v : 0.0;
    };
    const double w = number(fields.value(0));
    const double h = number(fields.value(1));
    const QSizeF drawing = ImageResizer::drawingSize(original, w, h, keepAspect);
    const QSize px = ImageResizer::pixelSize(drawing);
    FUZZ_CHECK(px.width() >= 0 && px.height() >= 0);
    if (ImageResizer::check(drawing) == ImageResizer::Refusal::None) {
        FUZZ_CHECK(px.width() >= 1 && px.width() <= ImageResizer::kMaxSide);
        FUZZ_CHECK(px.height() >= 1 && px.height() <= ImageResizer::kMaxSide);
        FUZZ_CHECK(qint64(px.width()) * px.height() <= ImageResizer::kMaxPixels);
    }
    return 0;
}
