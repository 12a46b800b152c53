// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// zlib streams (PDF's FlateDecode) through libdeflate: stored ones inflated, and data deflated
// at its slowest, smallest level.
class Deflater
{
  public:
    // The inflated bytes of a whole zlib stream, or empty when it does not inflate whole to at
    // most limit bytes (a damaged stream, or one that would grow without bound).
    [[nodiscard]] static QByteArray inflate(const QByteArray& zlib, qint64 limit);
    // data as a zlib stream; empty when it cannot be deflated.
    [[nodiscard]] static QByteArray deflate(const QByteArray& data);
};
