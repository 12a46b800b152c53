// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/PageRange.h"

#include <QtGlobal>

// What to draw of a PDF and how fine: the pages chosen and the pixels per point.
struct RenderOptions
{
    qreal scale = 2.0; // pixels per point
    PageRange pages;   // every page by default

    // A resolution in dots per inch as pixels per point (a point is 1/72 inch).
    static constexpr qreal scaleForDpi(qreal dpi) { return dpi / 72.0; }
};
