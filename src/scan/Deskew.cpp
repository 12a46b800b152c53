// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Deskew.h"

#include "CvImage.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {
constexpr int kWorkSide = 1000;
constexpr double kStepDegrees = 0.1;
constexpr int kMinInk = 500; // fewer ink pixels than this: no lines to measure

// How sharply the ink gathers into rows when the page is turned by angle: the sum of squared
// row counts, highest when every line of text falls in rows of its own.
double rowSharpness(const std::vector<cv::Point2f>& ink, double degrees, int rows)
{
    const double a = degrees * CV_PI / 180;
    const double s = std::sin(a);
    const double c = std::cos(a);
    std::vector<int> count(size_t(rows) * 2, 0);
    for (const cv::Point2f& p : ink) {
        const int row = int(std::lround(p.y * c - p.x * s)) + rows / 2;
        if (row >= 0 && std::cmp_less(row, count.size()))
            ++count[size_t(row)];
    }
    double sum = 0;
    for (const int n : count)
        sum += double(n) * n;
    return sum;
}
} // namespace

double Deskew::skewDegrees(const QImage& greyPage)
{
    if (greyPage.isNull())
        return 0;
    const QImage grey = greyPage.convertToFormat(QImage::Format_Grayscale8);
    const double scale = std::min(1.0, double(kWorkSide) / std::max(grey.width(), grey.height()));
    cv::Mat small;
    cv::resize(CvImage::view(grey), small, {}, scale, scale, cv::INTER_AREA);
    cv::Mat ink;
    cv::adaptiveThreshold(small, ink, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY_INV, 25,
                          20);
    std::vector<cv::Point> points;
    cv::findNonZero(ink, points);
    if (int(points.size()) < kMinInk)
        return 0;
    // Every few ink pixels are enough for the row counts, and keep the search quick.
    const size_t stride = std::max<size_t>(1, points.size() / 40000);
    std::vector<cv::Point2f> sample;
    const cv::Point2f centre(float(small.cols) / 2, float(small.rows) / 2);
    for (size_t i = 0; i < points.size(); i += stride)
        sample.emplace_back(cv::Point2f(points[i]) - centre);
    double best = 0;
    double bestScore = rowSharpness(sample, 0, small.rows + small.cols);
    const double level = bestScore;
    const int steps = int(std::lround(2 * kMaxDegrees / kStepDegrees));
    for (int k = 0; k <= steps; ++k) {
        const double d = -kMaxDegrees + k * kStepDegrees;
        const double score = rowSharpness(sample, d, small.rows + small.cols);
        if (score > bestScore) {
            bestScore = score;
            best = d;
        }
    }
    // A gain this small is noise, not lines of text.
    if (bestScore < level * 1.02 || std::abs(best) < 0.15)
        return 0;
    return best;
}
