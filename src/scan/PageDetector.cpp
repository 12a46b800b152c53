// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageDetector.h"

#include "CvImage.h"
#include "QuadFit.h"
#include "ScanLogging.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
// How far either side of an outline the colours are compared, and the step that counts as an
// edge (summed over the three channels): about 8 levels of 255 per channel.
constexpr int kProbe = 4;
constexpr int kStep = 24;

// The share of points along the quad's sides that show a colour step across the side. Points
// whose outer probe falls off the photo count half: a page may run up to the frame.
double edgeSupport(const cv::Mat& bgr, const std::array<cv::Point2d, 4>& quad)
{
    double supported = 0;
    int samples = 0;
    for (int i = 0; i < 4; ++i) {
        const cv::Point2d a = quad[i];
        const cv::Point2d b = quad[(i + 1) % 4];
        const double length = cv::norm(b - a);
        if (length < 1)
            continue;
        // Clockwise on screen, so the outside is to the left of the walk: (dy, -dx).
        const cv::Point2d normal((b.y - a.y) / length, -(b.x - a.x) / length);
        const int steps = std::max(4, int(length / 3));
        for (int s = 1; s < steps; ++s) {
            const cv::Point2d p = a + (b - a) * (double(s) / steps);
            const cv::Point in(cvRound(p.x - normal.x * kProbe), cvRound(p.y - normal.y * kProbe));
            const cv::Point out(cvRound(p.x + normal.x * kProbe), cvRound(p.y + normal.y * kProbe));
            ++samples;
            const cv::Rect frame(0, 0, bgr.cols, bgr.rows);
            if (!frame.contains(in))
                continue;
            if (!frame.contains(out)) {
                supported += 0.5;
                continue;
            }
            const auto& u = bgr.at<cv::Vec3b>(in);
            const auto& v = bgr.at<cv::Vec3b>(out);
            const int step = std::abs(u[0] - v[0]) + std::abs(u[1] - v[1]) + std::abs(u[2] - v[2]);
            if (step >= kStep)
                supported += 1;
        }
    }
    return samples ? supported / samples : 0;
}

// The outlines worth trying: edges at a few strengths, and the bright part of the photo.
std::vector<std::vector<cv::Point>> outlines(const cv::Mat& bgr)
{
    std::vector<std::vector<cv::Point>> all;
    const double minArea = 0.08 * bgr.rows * bgr.cols;
    const auto keep = [&](const std::vector<std::vector<cv::Point>>& contours) {
        for (const auto& c : contours) {
            if (double(cv::boundingRect(c).area()) < minArea)
                continue;
            std::vector<cv::Point> hull;
            cv::convexHull(c, hull);
            if (cv::contourArea(hull) >= minArea)
                all.push_back(std::move(hull));
        }
    };
    const cv::Mat joint = cv::getStructuringElement(cv::MORPH_RECT, {3, 3});
    for (const int low : {8, 20, 50}) {
        cv::Mat edges;
        cv::Canny(bgr, edges, low, 3 * low);
        cv::dilate(edges, edges, joint);
        std::vector<std::vector<cv::Point>> contours;
        cv::findContours(edges, contours, cv::RETR_LIST, cv::CHAIN_APPROX_SIMPLE);
        keep(contours);
    }
    cv::Mat grey;
    cv::Mat bright;
    cv::cvtColor(bgr, grey, cv::COLOR_BGR2GRAY);
    cv::threshold(grey, bright, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(bright, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    keep(contours);
    // A shadow's edge across the page splits it in two outlines: each pair of the larger ones
    // is tried together as well.
    std::ranges::sort(all, std::greater<>(), [](const auto& h) { return cv::contourArea(h); });
    const size_t single = std::min<size_t>(all.size(), 10);
    for (size_t i = 0; i < single; ++i)
        for (size_t j = i + 1; j < single; ++j) {
            std::vector<cv::Point> both = all[i];
            both.insert(both.end(), all[j].begin(), all[j].end());
            std::vector<cv::Point> hull;
            cv::convexHull(both, hull);
            all.push_back(std::move(hull));
        }
    return all;
}
} // namespace

PageDetection PageDetector::detect(const QImage& upright)
{
    PageDetection result{PageQuad::whole(upright.size()), 0, false};
    if (upright.isNull())
        return result;
    // Any 32-bit form will do for finding edges; others are converted first.
    const QImage photo = upright.depth() == 32 ? upright : CvImage::toRgb32(upright);
    const double scale = std::min(1.0, double(kWorkSide) / std::max(photo.width(), photo.height()));
    cv::Mat small;
    cv::resize(CvImage::view(photo), small, {}, scale, scale, cv::INTER_AREA);
    cv::Mat bgr;
    cv::cvtColor(small, bgr, cv::COLOR_BGRA2BGR);
    // Closing erases text, rules and pencil (thin and dark), so the page is one bright area and
    // its words do not join its outline where they run up to its edge.
    cv::morphologyEx(bgr, bgr, cv::MORPH_CLOSE, cv::getStructuringElement(cv::MORPH_RECT, {9, 9}));
    cv::GaussianBlur(bgr, bgr, {5, 5}, 0);

    const double frameArea = double(bgr.rows) * bgr.cols;
    double bestScore = -1;
    std::array<cv::Point2d, 4> best{};
    for (const auto& hull : outlines(bgr)) {
        const auto quad = QuadFit::fromHull(hull, bgr.size());
        if (!quad)
            continue;
        const double support = edgeSupport(bgr, *quad);
        const double area =
            std::abs(cv::contourArea(std::vector<cv::Point2f>(quad->begin(), quad->end())));
        // Among outlines about as well seen, the larger: a photo printed on the page is no page.
        const double score = support + 0.25 * area / frameArea;
        if (score > bestScore) {
            bestScore = score;
            best = *quad;
            result.confidence = support;
        }
    }
    qCDebug(lcScan) << "page outline confidence" << result.confidence;
    if (result.confidence < kMinConfidence) {
        result.confidence = 0;
        return result;
    }
    for (int i = 0; i < 4; ++i) {
        // Pixel indices of the reduced copy to positions on the photo, pixel edges at whole
        // numbers.
        const double x = std::clamp((best[i].x + 0.5) / scale, 0.0, double(photo.width()));
        const double y = std::clamp((best[i].y + 0.5) / scale, 0.0, double(photo.height()));
        result.quad.corners[i] = QPointF(x, y);
    }
    result.found = true;
    return result;
}
