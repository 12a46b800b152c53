// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextExtraction.h"

#include "platform/TextRecognizer.h"

#include <cmath>

TextExtraction TextExtraction::run(TextRecognizer& recognizer, const Image& image)
{
    TextExtraction out;
    const QSize size = image.pixelSize();
    const double area = double(size.width()) * size.height();
    const QImage pixels =
        area > double(kMostPixels)
            ? image.toQImage((QSizeF(size) * std::sqrt(double(kMostPixels) / area)).toSize())
            : image.toQImage();
    if (pixels.isNull()) {
        out.outcome = NoBitmap;
        return out;
    }
    const Recognition result = recognizer.perform(pixels);
    if (!result.ok()) {
        out.outcome = result.failure == Recognition::Unavailable ? Unavailable : Failed;
        out.error = result.error;
        return out;
    }
    for (const RecognizedLine& line : result.lines) {
        if (line.candidates.isEmpty())
            continue;
        out.text += line.candidates.first() + QLatin1Char('\n');
    }
    return out;
}
