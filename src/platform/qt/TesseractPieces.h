// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace tesseract {
class TessBaseAPI;
}

// Cuts a page into pieces of text that separate engines can read at once: the text blocks of one
// layout analysis, in reading order, with long blocks cut between their lines.
namespace TesseractPieces {
// The pieces of the image (of size image) last set on api, about enough of them for engines to
// share evenly; none when the page is not worth sharing.
QList<QRect> find(tesseract::TessBaseAPI& api, const QSize& image, int engines);
} // namespace TesseractPieces
