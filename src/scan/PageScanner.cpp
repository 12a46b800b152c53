// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageScanner.h"

#include "CvImage.h"
#include "Deskew.h"
#include "PageDetector.h"
#include "PageGeometry.h"
#include "PageOrientation.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

namespace {
// The page is looked at for its tilt and its text's direction at this size.
constexpr int kPreviewSide = 2000;

// Maps the photo onto a w x h page; corners are pixel edges, OpenCV works on pixel centres.
cv::Matx33d flattening(const PageQuad& quad, QSize page)
{
    std::array<cv::Point2f, 4> from{};
    for (int i = 0; i < 4; ++i)
        from[i] = cv::Point2f(float(quad.corners[i].x() - 0.5), float(quad.corners[i].y() - 0.5));
    const auto w = float(page.width());
    const auto h = float(page.height());
    const std::array<cv::Point2f, 4> to{cv::Point2f(-0.5F, -0.5F), cv::Point2f(w - 0.5F, -0.5F),
                                        cv::Point2f(w - 0.5F, h - 0.5F),
                                        cv::Point2f(-0.5F, h - 0.5F)};
    return cv::getPerspectiveTransform(from.data(), to.data());
}

// Turns a w x h page counter-clockwise by degrees about its centre.
cv::Matx33d turning(double degrees, QSize page)
{
    const cv::Mat r = cv::getRotationMatrix2D(
        cv::Point2f(float(page.width() - 1) / 2, float(page.height() - 1) / 2), degrees, 1);
    cv::Matx33d m = cv::Matx33d::eye();
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            m(i, j) = r.at<double>(i, j);
    return m;
}

// Quarter turns clockwise of a w x h page, exact on the pixel grid.
cv::Matx33d quarterTurns(int turns, QSize page)
{
    const double w = page.width() - 1;
    const double h = page.height() - 1;
    switch (((turns % 4) + 4) % 4) {
    case 1:
        return {0, -1, h, 1, 0, 0, 0, 0, 1};
    case 2:
        return {-1, 0, w, 0, -1, h, 0, 0, 1};
    case 3:
        return {0, 1, 0, -1, 0, w, 0, 0, 1};
    default:
        return cv::Matx33d::eye();
    }
}

QImage warped(const QImage& photo, const cv::Matx33d& transform, QSize size)
{
    QImage page(size, QImage::Format_RGB32);
    if (page.isNull())
        return page;
    cv::Mat out = CvImage::view(page);
    // Bilinear keeps the strokes of text smooth; the photo's own edge repeats past a corner
    // that lies on it, so no black wedge comes in.
    cv::warpPerspective(CvImage::view(photo), out, cv::Mat(transform), out.size(), cv::INTER_LINEAR,
                        cv::BORDER_REPLICATE);
    return page;
}
} // namespace

PageScanner::Result PageScanner::scan(const QImage& upright, const Options& options)
{
    Result result;
    const QImage photo = CvImage::toRgb32(upright);
    if (photo.isNull()) {
        result.error = QStringLiteral("the photo is empty");
        return result;
    }
    if (options.quad) {
        result.error = options.quad->refusal(photo.size());
        if (!result.error.isEmpty())
            return result;
        result.quad = *options.quad;
        result.confidence = 1;
        result.found = true;
    } else {
        const PageDetection detection = PageDetector::detect(photo);
        result.quad = detection.quad;
        result.confidence = detection.confidence;
        result.found = detection.found;
    }
    const QSize size = PageGeometry::pageSize(result.quad, photo.size(), kMaxPagePixels);
    const cv::Matx33d flat = flattening(result.quad, size);
    if (options.straighten || options.turnUpright) {
        const double s =
            std::min(1.0, double(kPreviewSide) / std::max(size.width(), size.height()));
        const QSize small(std::max(1, int(size.width() * s)), std::max(1, int(size.height() * s)));
        const cv::Matx33d shrink(s, 0, 0, 0, s, 0, 0, 0, 1);
        // Both read the text, which stands out best on whitened paper.
        const QImage preview = ScanFilter::apply(
            ScanFilter::whitened(warped(photo, shrink * flat, small)), ScanFilter::Greyscale);
        if (options.straighten)
            result.skewDegrees = Deskew::skewDegrees(preview);
        if (options.turnUpright)
            result.uprightTurns = PageOrientation::quarterTurnsToUpright(preview);
    }
    const int turns = result.uprightTurns + options.quarterTurns;
    const QSize turned = turns % 2 ? size.transposed() : size;
    const cv::Matx33d transform =
        quarterTurns(turns, size) * turning(result.skewDegrees, size) * flat;
    result.page = ScanFilter::apply(warped(photo, transform, turned), options.filter);
    if (result.page.isNull())
        result.error = QStringLiteral("there is not enough memory for a %1 x %2 page")
                           .arg(turned.width())
                           .arg(turned.height());
    return result;
}
