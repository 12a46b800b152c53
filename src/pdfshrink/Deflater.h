// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// zlib streams (PDF's FlateDecode) through libdeflate: stored ones inflated, and data deflated,
// by default at its slowest, smallest level.
class Deflater
{
  public:
    // libdeflate's optimal parsing: several percent under zlib's 9, at a cost that is still small
    // beside decoding the images.
    static constexpr int kBest = 12;
    // For data that is compressed already (a JPEG): what is left to gain comes as quickly.
    static constexpr int kQuick = 6;

    // The inflated bytes of a whole zlib stream, or empty when it does not inflate whole to at
    // most limit bytes (a damaged stream, or one that would grow without bound).
    [[nodiscard]] static QByteArray inflate(const QByteArray& zlib, qint64 limit);
    // data as a zlib stream at level (1..12); empty when it cannot be deflated.
    [[nodiscard]] static QByteArray deflate(const QByteArray& data, int level = kBest);
};
