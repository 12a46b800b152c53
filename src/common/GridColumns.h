// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How many square cells a photo grid of a given width holds: two up to phone widths, and on wider
// windows as many cells of about 180 points as fit, with the same spacing around each.
class GridColumns
{
  public:
    static constexpr qreal kPhoneWidth = 500;
    static constexpr qreal kCell = 180;

    [[nodiscard]] static int columns(qreal width, qreal spacing);
    // The side of one cell: the width less the spacing left, between and right, shared out.
    [[nodiscard]] static qreal side(qreal width, qreal spacing);
};
