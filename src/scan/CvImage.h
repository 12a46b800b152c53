// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <opencv2/core/mat.hpp>

// Views of QImage pixels as OpenCV matrices, sharing the memory (no copy either way).
namespace CvImage {
// The photo as 32-bit BGRX (QImage's RGB32 in memory); converts only when it is in another form.
QImage toRgb32(const QImage& image);
// A matrix over the image's pixels: CV_8UC4 for RGB32, CV_8UC1 for Grayscale8. The image must
// outlive it and not be detached while it is used.
cv::Mat view(QImage& image);
cv::Mat view(const QImage& image);
} // namespace CvImage
