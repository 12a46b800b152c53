// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageText.h"

#include <QSize>

// A one-page PDF of a page's recognised words as invisible text, each word over where it lies in
// the page's picture, to be laid over that page: text to search and copy, nothing to see.
namespace TextLayerPdf {
// Writes page's words (in the pixels of an image of size image, drawn at dpi) to path, in the
// glyphless font at fontFile (Tesseract's pdf.ttf); false with error when that failed.
bool write(const PageText& page, QSize image, double dpi, const QString& fontFile,
           const QString& path, QString& error);
} // namespace TextLayerPdf
