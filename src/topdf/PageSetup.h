// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

// The paper a photo is printed on and the margin around it. "Photo size" makes each page the
// photo's own size; A4 and Letter fit the photo inside the paper, centred, turned landscape for
// a landscape photo.
struct PageSetup
{
    enum class Paper
    {
        Photo,
        A4,
        Letter
    };
    static constexpr qreal kPointsPerMm = 72.0 / 25.4;
    static constexpr qreal kDefaultMarginMm = 10.0;

    Paper paper = Paper::Photo;
    qreal marginMm = kDefaultMarginMm; // on every side; unused for Photo size

    // A page's box and where its photo goes on it, in points with the origin at the bottom left.
    struct Placement
    {
        QSizeF page;
        QRectF image;
    };
    [[nodiscard]] Placement place(QSizeF imagePoints) const;
    // The margin is below half the shorter side of the paper, so a photo still fits.
    [[nodiscard]] bool marginFits() const;

    // "photo", "a4", "letter", as the settings and the command line spell them.
    [[nodiscard]] static QString key(Paper paper);
    [[nodiscard]] static std::optional<Paper> fromKey(const QString& key);
    // Portrait paper size in points; empty for Photo size.
    [[nodiscard]] static QSizeF paperPoints(Paper paper);
    // "10mm", "0.5in", "12pt" or a bare number of millimetres; nullopt when not a length >= 0.
    [[nodiscard]] static std::optional<qreal> parseMarginMm(const QString& text);
};
