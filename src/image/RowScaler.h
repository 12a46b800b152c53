// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Image.h"
#include "RowSource.h"

#include <QImage>
#include <QSize>

#include <opencv2/core.hpp>

// Shrinks an image as its rows stream past, averaging every source pixel under each result
// pixel, so that only a band of rows and the result are ever in memory.
class RowScaler
{
  public:
    // Images above this many pixels are decoded row by row when they are shrunk or re-encoded.
    static constexpr qint64 kStreamAbove = 16'000'000;

    // The photo upright at exactly target (upright pixels, no larger than the photo either way);
    // null when it cannot be streamed (see RowSource::open) or its data is damaged.
    [[nodiscard]] static QImage draw(const Image& photo, QSize target);
    // Whether draw() is the way for photo: a large encoded image.
    [[nodiscard]] static bool suits(const Image& photo);

    RowScaler(QSize from, QSize to, QImage::Format format);
    // Takes the next source row (from.width() * 4 bytes); rows come top to bottom.
    void add(const uchar* row);
    // The result once every source row has been added.
    [[nodiscard]] QImage result();

  private:
    void flushBand();

    QSize m_from;
    QSize m_to;
    QImage m_out;
    cv::Mat m_band;   // source rows waiting for the horizontal pass
    cv::Mat m_narrow; // the same rows at the result's width
    cv::Mat m_sum;    // the result row being gathered, weighted
    int m_banded = 0; // rows in m_band
    int m_row = 0;    // the next source row
    int m_outRow = 0; // the result row being gathered
};
