// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

// PNG encoding tuned for rendered pages: a choice of two cheap row filters and libdeflate instead
// of libpng's search over all five filters through zlib, which costs more than drawing the page,
// with a page's blank bands written directly. On text pages and on photos alike the files come
// out no larger.
namespace PngEncoder {
// Grayscale8, RGB32 and ARGB32 images are written as they are; other formats are converted.
// Empty when the image is null or the encoder fails.
QByteArray encode(const QImage& image);
} // namespace PngEncoder
