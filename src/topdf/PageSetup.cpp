// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageSetup.h"

#include <QRegularExpression>

#include <algorithm>

PageSetup::Placement PageSetup::place(QSizeF imagePoints) const
{
    if (paper == Paper::Photo || imagePoints.isEmpty())
        return {imagePoints, QRectF(QPointF(0, 0), imagePoints)};
    QSizeF page = paperPoints(paper);
    if (imagePoints.width() > imagePoints.height())
        page.transpose();
    const qreal margin = std::max<qreal>(0, marginMm) * kPointsPerMm;
    const QSizeF room(std::max<qreal>(page.width() - 2 * margin, 1),
                      std::max<qreal>(page.height() - 2 * margin, 1));
    // Scaled up or down to fill the room the margin leaves, keeping the photo's proportions.
    const QSizeF fitted = imagePoints.scaled(room, Qt::KeepAspectRatio);
    const QPointF origin((page.width() - fitted.width()) / 2,
                         (page.height() - fitted.height()) / 2);
    return {page, QRectF(origin, fitted)};
}

bool PageSetup::marginFits() const
{
    if (paper == Paper::Photo)
        return true;
    const QSizeF page = paperPoints(paper);
    return marginMm >= 0 && 2 * marginMm * kPointsPerMm < std::min(page.width(), page.height());
}

QString PageSetup::key(Paper paper)
{
    switch (paper) {
    case Paper::A4:
        return QStringLiteral("a4");
    case Paper::Letter:
        return QStringLiteral("letter");
    case Paper::Photo:
        break;
    }
    return QStringLiteral("photo");
}

std::optional<PageSetup::Paper> PageSetup::fromKey(const QString& key)
{
    for (Paper p : {Paper::Photo, Paper::A4, Paper::Letter})
        if (key.compare(PageSetup::key(p), Qt::CaseInsensitive) == 0)
            return p;
    return std::nullopt;
}

QSizeF PageSetup::paperPoints(Paper paper)
{
    switch (paper) {
    case Paper::A4:
        return {210 * kPointsPerMm, 297 * kPointsPerMm};
    case Paper::Letter:
        return {612, 792};
    case Paper::Photo:
        break;
    }
    return {};
}

std::optional<qreal> PageSetup::parseMarginMm(const QString& text)
{
    static const QRegularExpression length(
        QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?|\\.\\d+)\\s*(mm|cm|in|pt)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = length.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const qreal value = m.captured(1).toDouble();
    const QString unit = m.captured(2).toLower();
    if (unit == QLatin1String("cm"))
        return value * 10;
    if (unit == QLatin1String("in"))
        return value * 25.4;
    if (unit == QLatin1String("pt"))
        return value / kPointsPerMm;
    return value;
}
