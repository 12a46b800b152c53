// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScanFilter.h"

#include "CvImage.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>

namespace {
// The paper's brightness is sought at this size: a letter is then thinner than the closing
// that removes it, a shadow's edge still wider than the blur.
constexpr int kPaperSide = 256;

// Levels after the division: paper a little darker than its estimate still comes out white,
// and the darkest ink goes to black, everything between kept in proportion.
constexpr int kWhiteLevel = 232;
constexpr int kBlackLevel = 24;

const std::array<std::pair<ScanFilter::Kind, const char*>, 4> kKeys{{
    {ScanFilter::Original, "original"},
    {ScanFilter::Greyscale, "grey"},
    {ScanFilter::Document, "document"},
    {ScanFilter::BlackWhite, "bw"},
}};

cv::Mat paperBrightness(const cv::Mat& page)
{
    const double scale = std::min(1.0, double(kPaperSide) / std::max(page.cols, page.rows));
    cv::Mat small;
    cv::resize(page, small, {}, scale, scale, cv::INTER_AREA);
    // Ink is darker than paper: the brightest nearby value is the paper under it.
    cv::dilate(small, small, cv::getStructuringElement(cv::MORPH_ELLIPSE, {7, 7}));
    cv::medianBlur(small, small, 5);
    cv::GaussianBlur(small, small, {0, 0}, 3);
    cv::Mat paper;
    cv::resize(small, paper, page.size(), 0, 0, cv::INTER_LINEAR);
    return paper;
}
} // namespace

std::optional<ScanFilter::Kind> ScanFilter::fromKey(const QString& key)
{
    for (const auto& [kind, name] : kKeys)
        if (key == QLatin1String(name))
            return kind;
    return std::nullopt;
}

QString ScanFilter::key(Kind kind)
{
    for (const auto& [k, name] : kKeys)
        if (k == kind)
            return QString::fromLatin1(name);
    return {};
}

QImage ScanFilter::whitened(const QImage& page)
{
    QImage out = CvImage::toRgb32(page);
    if (out.isNull())
        return out;
    cv::Mat pixels = CvImage::view(out);
    const cv::Mat paper = paperBrightness(pixels);
    cv::Mat lut(1, 256, CV_8U);
    for (int v = 0; v < 256; ++v)
        lut.at<uchar>(v) =
            cv::saturate_cast<uchar>(255.0 * (v - kBlackLevel) / (kWhiteLevel - kBlackLevel));
    cv::divide(pixels, paper, pixels, 255.0);
    cv::LUT(pixels, lut, pixels);
    return out;
}

QImage ScanFilter::apply(const QImage& page, Kind kind)
{
    switch (kind) {
    case Original:
        return CvImage::toRgb32(page);
    case Greyscale:
        return CvImage::toRgb32(page).convertToFormat(QImage::Format_Grayscale8);
    case Document:
        return whitened(page);
    case BlackWhite:
        break;
    }
    const QImage white = whitened(page);
    QImage grey(white.size(), QImage::Format_Grayscale8);
    cv::Mat g = CvImage::view(grey);
    cv::cvtColor(CvImage::view(white), g, cv::COLOR_BGRA2GRAY);
    // Against its own surroundings a thin or faint stroke still stands out; solid dark areas,
    // which that alone would hollow out, are kept by their darkness.
    const int block = std::max(15, (std::max(grey.width(), grey.height()) / 80) | 1);
    cv::Mat local;
    cv::adaptiveThreshold(g, local, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY, block, 18);
    cv::Mat dark;
    cv::threshold(g, dark, 110, 255, cv::THRESH_BINARY);
    cv::bitwise_and(local, dark, g);
    return grey;
}
