// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <opencv2/core.hpp>

// Area averaging down of one-channel 8-bit samples, each output sample the mean of the source
// area it covers, as OpenCV's INTER_AREA computes it (to within one level): in fixed point, the
// column pass first over whole rows, which the compiler vectorizes, then the row pass over a
// picture already shorter. OpenCV's own, at a factor that is not whole, takes two to three times
// as long on a page scanned at 300 dpi brought to 150.
namespace AreaAverage {
// Fills to (already sized, no larger than from either way) from from; any other type, or a source
// too small for its taps, goes through OpenCV.
void down(const cv::Mat& from, cv::Mat& to);
} // namespace AreaAverage
