// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageText.h"

#include <QImage>

// The marks of ink on a page, and what their shapes tell of the characters read from them where
// the engine's models cannot: they have no bullet, and take a hyphen of a typewriter face, as
// wide as its letters, for a dash.
namespace InkShapes {
struct Ink
{
    QRect box;
    int area = 0; // inked pixels
};
// Each connected mark of dark ink on grey (8-bit grey).
QList<Ink> marks(const QImage& grey);
// A solid round blob about a third of the text's height: a bullet (a full stop is far smaller,
// an asterisk or a letter far from solid).
bool isBullet(const Ink& ink, int lineHeight);
// Words whose reading the ink shows wrong: a line's first word of one mark that is a bullet, and
// dashes inside a word whose bars are a hyphen's length.
void mend(PageText& page, const QList<Ink>& marks);
} // namespace InkShapes
