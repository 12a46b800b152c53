// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"

#include <QByteArray>
#include <QImage>

// Re-encodes photos as JPEG at one quality and checks that the bytes read back; no screens.
class JpegCompressor
{
  public:
    // The quality of the compression job (0.25 on a 0..1 scale).
    static constexpr int kQuality = 25;
    // The quality of the "before" size shown next to each photo (1.0).
    static constexpr int kFullQuality = 100;

    // JPEG bytes of pixels at quality 0..100; empty when they cannot be encoded.
    [[nodiscard]] static QByteArray encode(const QImage& pixels, int quality);
    // The same for a photo handle, decoded upright at full size first.
    [[nodiscard]] static QByteArray encode(const Image& photo, int quality);
    // The number of bytes of the encoding, without keeping the bytes; -1 when it fails.
    [[nodiscard]] static qint64 encodedSize(const Image& photo, int quality);
    // Whether bytes are a whole JPEG that decodes (every scan is read; the pixels are not kept).
    [[nodiscard]] static bool decodes(const QByteArray& bytes);
    // The whole image back from bytes; null when they do not decode.
    [[nodiscard]] static QImage decode(const QByteArray& bytes);
};
