// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {
using Vec3 = std::array<double, 3>;

Vec3 cross(const Vec3& a, const Vec3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double dot(const Vec3& a, const Vec3& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

double length(QPointF a, QPointF b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

// Width over height from the sides' lengths alone, for quads the camera model cannot explain.
double sideRatio(const PageQuad& q)
{
    const auto& c = q.corners;
    const double w = length(c[0], c[1]) + length(c[3], c[2]);
    const double h = length(c[0], c[3]) + length(c[1], c[2]);
    return h > 0 ? w / h : 1;
}
} // namespace

double PageGeometry::snapped(double ratio)
{
    // A4 is 1 : sqrt 2, Letter 8.5 : 11; landscape pages are their inverses.
    for (const double paper : {1 / std::numbers::sqrt2, 8.5 / 11})
        for (const double r : {paper, 1 / paper})
            if (std::abs(ratio / r - 1) <= 0.02)
                return r;
    return ratio;
}

double PageGeometry::aspectRatio(const PageQuad& quad, QSize photo)
{
    // The rectangle's corners seen from a camera whose principal point is the photo's centre
    // (Zhang and He, "Whiteboard scanning and image enhancement", 2007).
    const double cx = photo.width() / 2.0;
    const double cy = photo.height() / 2.0;
    const auto m = [&](int i) {
        return Vec3{quad.corners[i].x() - cx, quad.corners[i].y() - cy, 1};
    };
    const Vec3 m1 = m(0); // top-left
    const Vec3 m2 = m(1); // top-right
    const Vec3 m3 = m(3); // bottom-left
    const Vec3 m4 = m(2); // bottom-right
    const double k2 = dot(cross(m1, m4), m3) / dot(cross(m2, m4), m3);
    const double k3 = dot(cross(m1, m4), m2) / dot(cross(m3, m4), m2);
    const Vec3 n2{k2 * m2[0] - m1[0], k2 * m2[1] - m1[1], k2 * m2[2] - m1[2]};
    const Vec3 n3{k3 * m3[0] - m1[0], k3 * m3[1] - m1[1], k3 * m3[2] - m1[2]};
    if (!std::isfinite(k2) || !std::isfinite(k3))
        return snapped(sideRatio(quad));
    double ratio = 0;
    const double diagonal = std::hypot(photo.width(), photo.height());
    // Opposite sides (nearly) parallel: no vanishing point, no focal length needed.
    if (std::abs(n2[2]) < 1e-6 || std::abs(n3[2]) < 1e-6) {
        ratio = std::sqrt((n2[0] * n2[0] + n2[1] * n2[1]) / (n3[0] * n3[0] + n3[1] * n3[1]));
    } else {
        const double f2 = -(n2[0] * n3[0] + n2[1] * n3[1]) / (n2[2] * n3[2]);
        // A focal length no phone has means the quad was not a rectangle seen through a lens.
        if (!(f2 > 0) || std::sqrt(f2) < 0.2 * diagonal || std::sqrt(f2) > 10 * diagonal)
            return snapped(sideRatio(quad));
        ratio = std::sqrt((n2[0] * n2[0] / f2 + n2[1] * n2[1] / f2 + n2[2] * n2[2]) /
                          (n3[0] * n3[0] / f2 + n3[1] * n3[1] / f2 + n3[2] * n3[2]));
    }
    if (!std::isfinite(ratio) || ratio <= 0)
        return snapped(sideRatio(quad));
    return snapped(ratio);
}

QSize PageGeometry::pageSize(const PageQuad& quad, QSize photo, qint64 maxPixels)
{
    const auto& c = quad.corners;
    const double ratio = aspectRatio(quad, photo);
    const double seenWidth = std::max(length(c[0], c[1]), length(c[3], c[2]));
    const double seenHeight = std::max(length(c[0], c[3]), length(c[1], c[2]));
    double h = std::max(seenHeight, seenWidth / ratio);
    double w = h * ratio;
    if (w * h > double(maxPixels)) {
        const double shrink = std::sqrt(double(maxPixels) / (w * h));
        w *= shrink;
        h *= shrink;
    }
    return {std::max(1, int(std::lround(w))), std::max(1, int(std::lround(h)))};
}
