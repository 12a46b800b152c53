// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

// The four corners of a page in an upright photo, in pixels: top-left, top-right, bottom-right,
// bottom-left of the page as it is to come out.
struct PageQuad
{
    std::array<QPointF, 4> corners;

    static PageQuad whole(QSize photo);
    // From "x1,y1 x2,y2 x3,y3 x4,y4"; nullopt, with why, when it is not four such pairs.
    static std::optional<PageQuad> parse(const QString& text, QString* why = nullptr);
    // The same corners in page order, the top-left being the one nearest the photo's.
    [[nodiscard]] PageQuad ordered() const;
    // "x1,y1 x2,y2 x3,y3 x4,y4" in whole pixels, as parse() reads it back.
    [[nodiscard]] QString toString() const;
    // Why these corners cannot be cut out of a photo of this size (crossed, not round the page
    // clockwise, too small or outside the photo); empty when they can.
    [[nodiscard]] QString refusal(QSize photo) const;
    [[nodiscard]] double area() const; // signed: positive when clockwise on screen
    [[nodiscard]] PageQuad scaled(double factor) const;

    friend bool operator==(const PageQuad&, const PageQuad&) = default;
};
