// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageQuad.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {
double cross(QPointF o, QPointF a, QPointF b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// Whether segments ab and cd cross at a point inside both.
bool crosses(QPointF a, QPointF b, QPointF c, QPointF d)
{
    const double d1 = cross(a, b, c);
    const double d2 = cross(a, b, d);
    const double d3 = cross(c, d, a);
    const double d4 = cross(c, d, b);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

// Corners closer than this, in pixels, make no page worth cutting out.
constexpr double kMinSide = 8;
} // namespace

PageQuad PageQuad::whole(QSize photo)
{
    const double w = photo.width();
    const double h = photo.height();
    return {{QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h)}};
}

std::optional<PageQuad> PageQuad::parse(const QString& text, QString* why)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList pairs = text.trimmed().split(space, Qt::SkipEmptyParts);
    PageQuad quad;
    bool ok = pairs.size() == 4;
    for (int i = 0; ok && i < 4; ++i) {
        const QStringList xy = pairs[i].split(QLatin1Char(','));
        bool okX = false;
        bool okY = false;
        if (xy.size() == 2)
            quad.corners[i] = QPointF(xy[0].toDouble(&okX), xy[1].toDouble(&okY));
        ok = okX && okY && std::isfinite(quad.corners[i].x()) && std::isfinite(quad.corners[i].y());
    }
    if (ok)
        return quad;
    if (why)
        *why = QStringLiteral("a quad is four corners written x,y and parted by spaces: "
                              "\"x1,y1 x2,y2 x3,y3 x4,y4\"");
    return std::nullopt;
}

PageQuad PageQuad::ordered() const
{
    QPointF centre;
    for (const QPointF& p : corners)
        centre += p / 4;
    PageQuad sorted = *this;
    // Clockwise on screen (y grows down), starting from the corner nearest the photo's top-left.
    std::ranges::sort(sorted.corners, {}, [centre](QPointF p) {
        return std::atan2(p.y() - centre.y(), p.x() - centre.x());
    });
    const auto first =
        std::ranges::min_element(sorted.corners, {}, [](QPointF p) { return p.x() + p.y(); });
    std::ranges::rotate(sorted.corners, first);
    return sorted;
}

QString PageQuad::toString() const
{
    QStringList pairs;
    for (const QPointF& p : corners)
        pairs << QStringLiteral("%1,%2").arg(std::lround(p.x())).arg(std::lround(p.y()));
    return pairs.join(QLatin1Char(' '));
}

double PageQuad::area() const
{
    double twice = 0;
    for (int i = 0; i < 4; ++i) {
        const QPointF a = corners[i];
        const QPointF b = corners[(i + 1) % 4];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return twice / 2;
}

PageQuad PageQuad::scaled(double factor) const
{
    PageQuad q = *this;
    for (QPointF& p : q.corners)
        p *= factor;
    return q;
}

QString PageQuad::refusal(QSize photo) const
{
    constexpr double slack = 0.5; // a corner on the photo's last pixel edge is inside
    for (const QPointF& p : corners)
        if (p.x() < -slack || p.y() < -slack || p.x() > photo.width() + slack ||
            p.y() > photo.height() + slack)
            return QStringLiteral("the corner %1,%2 is outside the %3 x %4 photo")
                .arg(p.x())
                .arg(p.y())
                .arg(photo.width())
                .arg(photo.height());
    if (crosses(corners[0], corners[1], corners[2], corners[3]) ||
        crosses(corners[1], corners[2], corners[3], corners[0]))
        return QStringLiteral("the quad's sides cross; give the corners in the order top-left, "
                              "top-right, bottom-right, bottom-left");
    for (int i = 0; i < 4; ++i) {
        const QPointF a = corners[(i + 3) % 4];
        const QPointF b = corners[i];
        const QPointF c = corners[(i + 1) % 4];
        const double side = std::hypot(c.x() - b.x(), c.y() - b.y());
        // Twice the triangle's area over its base is the height of b's neighbour above it.
        if (side < kMinSide || std::abs(cross(b, c, a)) / side < kMinSide)
            return QStringLiteral("the quad is too small or flat to be a page");
    }
    if (area() < 0)
        return QStringLiteral("the corners go round the page anticlockwise; give them in the "
                              "order top-left, top-right, bottom-right, bottom-left");
    for (int i = 0; i < 4; ++i)
        if (cross(corners[i], corners[(i + 1) % 4], corners[(i + 2) % 4]) <= 0)
            return QStringLiteral("the quad is not convex: a corner is dented in");
    return {};
}
