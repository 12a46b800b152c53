// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <opencv2/core/types.hpp>

#include <array>
#include <optional>
#include <vector>

// Turns the convex outline of a page into its four corners, even when a corner is cut off by
// the photo's frame or hidden under a finger.
namespace QuadFit {
// The corners clockwise from the top-left, kept inside the frame; nullopt when the outline has
// no plausible four-sided shape (a triangle, a sliver, angles no tilted sheet shows).
std::optional<std::array<cv::Point2d, 4>> fromHull(const std::vector<cv::Point>& hull,
                                                   cv::Size frame);
} // namespace QuadFit
