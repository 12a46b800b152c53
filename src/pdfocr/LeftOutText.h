// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "InkShapes.h"
#include "PageText.h"

#include <QImage>

namespace tesseract {
class TessBaseAPI;
}

// Text the engine's page layout leaves out or cannot spell. The layout drops small isolated text
// as specks (a page number, the bullets before a list's lines) and its models have no bullet: ink
// outside every word is read on its own, and a solid round dot before a line is a bullet.
namespace LeftOutText {
// Adds to page what api left out of it: api has just read the page (whose ink is marks) and
// reads again here.
void add(tesseract::TessBaseAPI& api, const QList<InkShapes::Ink>& marks, QSize image,
         PageText& page);
} // namespace LeftOutText
