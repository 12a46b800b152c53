// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Image.h"
#include "RowSource.h"

#include <QImage>
#include <QSize>

#include <vector>

// Shrinks an image as its rows stream past, averaging every source pixel under each result
// pixel, so that only a row or two and the result are ever in memory.
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
    // A source column's share of a result column.
    struct Tap
    {
        qsizetype source = 0; // the column's first byte
        float weight = 0;
    };

    void narrow(const uchar* row);

    QSize m_from;
    QSize m_to;
    QImage m_out;
    std::vector<Tap> m_taps;     // each result column's, in order
    std::vector<int> m_tapEnds;  // where each result column's taps end in m_taps
    std::vector<float> m_narrow; // the latest source row at the result's width
    std::vector<float> m_sum;    // the result row being gathered, weighted
    int m_row = 0;               // the next source row
    int m_outRow = 0;            // the result row being gathered
};
