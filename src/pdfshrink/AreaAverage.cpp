// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AreaAverage.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {
// Weights in fourteen bits: a column sum of 255s stays within sixteen bits after its shift, and a
// row sum of those within thirty-two.
constexpr int kOne = 1 << 14;

// For each of to outputs over from inputs: its first input, and count weights that add up to kOne.
struct Taps
{
    int count = 0;
    std::vector<int> first;
    std::vector<uint16_t> weights; // count for each output
};

Taps taps(int from, int to)
{
    Taps t;
    const double ratio = double(from) / to;
    t.count = int(std::ceil(ratio)) + 1;
    t.first.resize(size_t(to));
    t.weights.assign(size_t(to) * size_t(t.count), 0);
    for (int i = 0; i < to; ++i) {
        const double begin = i * ratio;
        const double end = std::min<double>(from, (i + 1) * ratio);
        // Near the end the taps start earlier, so that all of them lie inside the source.
        const int first = std::max(0, std::min(int(std::floor(begin)), from - t.count));
        t.first[size_t(i)] = first;
        uint16_t* w = &t.weights[size_t(i) * size_t(t.count)];
        int sum = 0;
        int largest = 0;
        for (int j = 0; j < t.count; ++j) {
            const double covered =
                std::min<double>(end, first + j + 1) - std::max<double>(begin, first + j);
            w[j] = uint16_t(std::lround(std::max(0.0, covered) / ratio * kOne));
            sum += w[j];
            largest = w[j] > w[largest] ? j : largest;
        }
        w[largest] =
            uint16_t(w[largest] + kOne - sum); // rounding left over, where it matters least
    }
    return t;
}
} // namespace

namespace AreaAverage {

void down(const cv::Mat& from, cv::Mat& to)
{
    const bool fits = from.type() == CV_8UC1 && to.type() == CV_8UC1 && to.cols > 0 &&
                      to.rows > 0 && to.cols <= from.cols && to.rows <= from.rows &&
                      from.cols >= int(std::ceil(double(from.cols) / to.cols)) + 1 &&
                      from.rows >= int(std::ceil(double(from.rows) / to.rows)) + 1;
    if (!fits) {
        cv::resize(from, to, to.size(), 0, 0, cv::INTER_AREA);
        return;
    }
    const Taps down = taps(from.rows, to.rows);
    const Taps across = taps(from.cols, to.cols);
    const auto width = size_t(from.cols);
    std::vector<uint32_t> sums(width);
    std::vector<uint16_t> column(width); // a row of column averages, eight bits of fraction
    for (int y = 0; y < to.rows; ++y) {
        std::ranges::fill(sums, 0U);
        for (int j = 0; j < down.count; ++j) {
            const uint32_t w = down.weights[size_t(y) * size_t(down.count) + size_t(j)];
            if (w == 0)
                continue;
            const auto* row = from.ptr<uint8_t>(down.first[size_t(y)] + j);
            for (size_t x = 0; x < width; ++x)
                sums[x] += w * row[x];
        }
        for (size_t x = 0; x < width; ++x)
            column[x] = uint16_t((sums[x] + 32) >> 6);
        auto* out = to.ptr<uint8_t>(y);
        for (int x = 0; x < to.cols; ++x) {
            const uint16_t* w = &across.weights[size_t(x) * size_t(across.count)];
            const uint16_t* v = &column[size_t(across.first[size_t(x)])];
            uint32_t sum = 0;
            for (int j = 0; j < across.count; ++j)
                sum += uint32_t(w[j]) * v[j];
            out[x] = uint8_t((sum + (1U << 21)) >> 22);
        }
    }
}

} // namespace AreaAverage
