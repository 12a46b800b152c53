// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuadFit.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
using Polygon = std::vector<cv::Point2d>;

double triangleArea(cv::Point2d a, cv::Point2d b, cv::Point2d c)
{
    return std::abs((b - a).cross(c - a)) / 2;
}

// Where the line through a and b meets the one through c and d; nullopt when parallel.
std::optional<cv::Point2d> meet(cv::Point2d a, cv::Point2d b, cv::Point2d c, cv::Point2d d)
{
    const cv::Point2d r = b - a;
    const cv::Point2d s = d - c;
    const double denominator = r.cross(s);
    if (std::abs(denominator) < 1e-9)
        return std::nullopt;
    return a + r * ((c - a).cross(s) / denominator);
}

// One step from n corners to n - 1, changing the area least: either a corner is cut off, or a
// short side is dropped and its neighbours run on until they meet (which restores a corner the
// frame or a finger took away).
void dropOne(Polygon& p, cv::Size frame)
{
    // A side along the frame is where the photo ends, not the page: running its neighbours on
    // to their meeting point is the likely truth, so that is preferred.
    const auto onFrame = [frame](cv::Point2d a, cv::Point2d b) {
        constexpr double near = 2;
        const double right = frame.width - 1 - near;
        const double bottom = frame.height - 1 - near;
        return (a.x <= near && b.x <= near) || (a.y <= near && b.y <= near) ||
               (a.x >= right && b.x >= right) || (a.y >= bottom && b.y >= bottom);
    };
    const size_t n = p.size();
    double cheapest = std::numeric_limits<double>::max();
    Polygon next;
    for (size_t i = 0; i < n; ++i) {
        const cv::Point2d prev = p[(i + n - 1) % n];
        const cv::Point2d here = p[i];
        const cv::Point2d after = p[(i + 1) % n];
        const cv::Point2d later = p[(i + 2) % n];
        if (const double cut = triangleArea(prev, here, after); cut < cheapest) {
            cheapest = cut;
            next = p;
            next.erase(next.begin() + long(i));
        }
        // Side here-after dropped: prev-here and after-later extended.
        const auto corner = meet(prev, here, after, later);
        if (!corner)
            continue;
        // Only forwards along both sides: otherwise the lines meet behind the polygon.
        if ((*corner - here).dot(here - prev) <= 0 || (*corner - after).dot(after - later) <= 0)
            continue;
        const double added =
            triangleArea(here, *corner, after) * (onFrame(here, after) ? 0.25 : 1.0);
        if (added < cheapest) {
            cheapest = added;
            next = p;
            next[i] = *corner;
            next.erase(next.begin() + long((i + 1) % n));
        }
    }
    p = std::move(next);
}

double angleAt(cv::Point2d prev, cv::Point2d here, cv::Point2d next)
{
    const cv::Point2d u = prev - here;
    const cv::Point2d v = next - here;
    return std::acos(std::clamp(u.dot(v) / (cv::norm(u) * cv::norm(v)), -1.0, 1.0)) * 180 / CV_PI;
}
} // namespace

namespace QuadFit {

std::optional<std::array<cv::Point2d, 4>> fromHull(const std::vector<cv::Point>& hull,
                                                   cv::Size frame)
{
    if (hull.size() < 4)
        return std::nullopt;
    std::vector<cv::Point> rough;
    cv::approxPolyDP(hull, rough, 0.01 * cv::arcLength(hull, true), true);
    if (rough.size() < 4)
        rough = hull;
    Polygon p(rough.begin(), rough.end());
    while (p.size() > 4)
        dropOne(p, frame);
    if (p.size() != 4)
        return std::nullopt;
    for (cv::Point2d& c : p) {
        c.x = std::clamp(c.x, 0.0, double(frame.width - 1));
        c.y = std::clamp(c.y, 0.0, double(frame.height - 1));
    }
    // Clockwise on screen (y down) from the corner nearest the frame's top-left.
    cv::Point2d centre = (p[0] + p[1] + p[2] + p[3]) * 0.25;
    std::ranges::sort(
        p, {}, [centre](cv::Point2d c) { return std::atan2(c.y - centre.y, c.x - centre.x); });
    std::ranges::rotate(p,
                        std::ranges::min_element(p, {}, [](cv::Point2d c) { return c.x + c.y; }));
    std::array<cv::Point2d, 4> quad{p[0], p[1], p[2], p[3]};
    for (int i = 0; i < 4; ++i) {
        const double angle = angleAt(quad[(i + 3) % 4], quad[i], quad[(i + 1) % 4]);
        if (angle < 40 || angle > 140)
            return std::nullopt;
    }
    return quad;
}

} // namespace QuadFit
