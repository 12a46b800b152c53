// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegSamples.h"

#include <QByteArray>
#include <QSize>

#include <opencv2/core.hpp>

#include <vector>

// An image's component planes straight from libjpeg, each at its own size, in the JPEG's own
// colour model: scaling needs neither colour conversion nor chroma upsampling, and a grey picture
// stored as colour is told apart by its small colour planes alone.
struct JpegPlanes
{
    std::vector<cv::Mat> planes; // grey; Y, Cb, Cr; or R, G, B
    JpegSamples::Model model = JpegSamples::Model::Gray;
    QSize size; // of the picture, as decoded

    // The planes of jpeg decoded at 1/denominator (1, 2, 4 or 8) of its size; none when it does
    // not decode whole or is not grey or three-component colour.
    [[nodiscard]] static JpegPlanes decode(const QByteArray& jpeg, int denominator = 1);
    // Whether YCbCr colour planes are all within tolerance of neutral: a grey picture.
    [[nodiscard]] bool isNeutral(int tolerance) const;
    // Each plane averaged down to size and interleaved; the luma alone with grey.
    [[nodiscard]] JpegSamples scaled(QSize to, bool grey) const;
};
