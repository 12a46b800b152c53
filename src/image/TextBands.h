// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QRect>

// Cuts a page of text into bands across its whole width, at blank gaps between lines, so that
// separate engines can each find the layout of one band and read it at the same time.
namespace TextBands {
// Up to count bands of the page in image, top to bottom, covering it whole, with about as much ink
// in each; fewer (at least one) where the page has no blank gaps to cut at.
QList<QRect> cut(const QImage& image, int count);
} // namespace TextBands
