// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextBands.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
// A row with no more ink than this (per 1,000 samples across) is blank: specks of dust on a
// scan do not make a gap less of one.
constexpr int kSpecksPerMille = 2;
// Blank rows in a run, at the least, where a cut may go; and the least part of a line's height.
// A gap between lines, or paragraphs, rather than one inside a line (between a capital and its
// accent).
constexpr int kLeastGap = 4;
constexpr int kLineHeightsPerGap = 3;

struct Gap
{
    int top = 0;
    int bottom = 0; // past the last blank row
    qint64 inkAbove = 0;
};

// Whether the ink of rows [top, bottom) stands in columns: a blank strip runs down between them,
// wider than the space between words. A cut there would put the columns' halves out of order.
bool inColumns(const cv::Mat& ink, int top, int bottom)
{
    if (bottom <= top)
        return false;
    cv::Mat across;
    cv::reduce(ink.rowRange(top, bottom), across, 0, cv::REDUCE_MAX);
    const int gutter = std::max(24, ink.cols / 40);
    int lastInk = -1;
    for (int x = 0; x < across.cols; ++x) {
        if (across.at<uchar>(x) == 0)
            continue;
        if (lastInk >= 0 && x - lastInk - 1 >= gutter)
            return true;
        lastInk = x;
    }
    return false;
}
} // namespace

namespace TextBands {

QList<QRect> cut(const QImage& image, int count)
{
    const QRect whole = image.rect();
    if (count < 2 || image.isNull())
        return {whole};
    const QImage grey = image.format() == QImage::Format_Grayscale8
                            ? image
                            : image.convertToFormat(QImage::Format_Grayscale8);
    const cv::Mat page(grey.height(), grey.width(), CV_8UC1, const_cast<uchar*>(grey.constBits()),
                       size_t(grey.bytesPerLine()));
    // Ink by Otsu's threshold, so that light text on paper counts as ink too.
    cv::Mat ink;
    cv::threshold(page, ink, 0, 1, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
    cv::Mat rows;
    cv::reduce(ink, rows, 1, cv::REDUCE_SUM, CV_32S);

    const int blank = grey.width() * kSpecksPerMille / 1000;
    std::vector<Gap> gaps;
    std::vector<int> lines; // the heights of the runs of rows with ink
    qint64 total = 0;
    int run = 0;
    int inked = 0;
    bool seenInk = false;
    for (int y = 0; y < rows.rows; ++y) {
        const int here = rows.at<int>(y);
        if (here <= blank) {
            if (inked > 0)
                lines.push_back(inked);
            inked = 0;
            ++run;
        } else {
            // A gap counts only between ink: margins above and below the text cut nothing off.
            if (seenInk && run >= kLeastGap)
                gaps.push_back({y - run, y, total});
            run = 0;
            ++inked;
            seenInk = true;
        }
        total += here;
    }
    if (lines.empty())
        return {whole};
    std::ranges::nth_element(lines, lines.begin() + qsizetype(lines.size() / 2));
    const int leastGap = lines[lines.size() / 2] / kLineHeightsPerGap;
    // A few lines either side of a gap tell whether the text there is set in columns.
    const int around = std::max(48, grey.height() / 24);
    std::erase_if(gaps, [&](const Gap& g) {
        return g.bottom - g.top < leastGap || inColumns(ink, std::max(0, g.top - around), g.top) ||
               inColumns(ink, g.bottom, std::min(grey.height(), g.bottom + around));
    });
    if (gaps.empty())
        return {whole};

    QList<QRect> bands;
    int top = 0;
    size_t from = 0;
    for (int k = 1; k < count && from < gaps.size(); ++k) {
        // The gap nearest to an even share of the ink above it. Every gap has ink on both sides,
        // so no band is left without any.
        const qint64 wanted = total * k / count;
        size_t best = from;
        for (size_t g = from; g < gaps.size(); ++g)
            if (std::abs(gaps[g].inkAbove - wanted) < std::abs(gaps[best].inkAbove - wanted))
                best = g;
        const int middle = (gaps[best].top + gaps[best].bottom) / 2;
        bands.append(QRect(0, top, grey.width(), middle - top));
        top = middle;
        from = best + 1;
    }
    bands.append(QRect(0, top, grey.width(), grey.height() - top));
    return bands;
}

} // namespace TextBands
