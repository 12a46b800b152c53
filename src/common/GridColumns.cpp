// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridColumns.h"

#include <algorithm>
#include <cmath>

int GridColumns::columns(qreal width, qreal spacing)
{
    if (width <= kPhoneWidth)
        return 2;
    return std::max(2, int(std::floor((width - spacing) / (kCell + spacing))));
}

qreal GridColumns::side(qreal width, qreal spacing)
{
    const int n = columns(width, spacing);
    return std::max<qreal>(0, (width - spacing * (n + 1)) / n);
}
