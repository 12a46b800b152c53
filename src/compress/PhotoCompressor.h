// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegCompressor.h"
#include "image/Image.h"

#include <QByteArray>
#include <QSize>
#include <QString>

// One photo re-encoded for the compression job: at a fixed quality, or at the highest quality
// whose file fits a size (scaled down when even the lowest does not), upright, keeping the
// capture date and camera and, unless asked, not the location. JPEGs stay in the DCT domain.
// A size target never makes a photo larger: one that already fits keeps its own bytes.
class PhotoCompressor
{
  public:
    // Below this quality a photo is not worth keeping: a size target scales it down instead.
    static constexpr int kLowestQuality = 10;
    // A size target never shrinks a photo's long side below this (a photo smaller than VGA is
    // no longer worth sending).
    static constexpr int kSmallestSide = 640;
    // A photo whose decoding gives more warnings than this is too damaged to be worth a copy.
    static constexpr int kMostWarnings = 100;

    struct Settings
    {
        int quality = JpegCompressor::kQuality; // 1..100, when there is no size target
        qint64 maxBytes = 0;                    // a size target in bytes; 0 for none
        bool keepLocation = false;
    };
    struct Result
    {
        QByteArray bytes;
        int quality = 0;
        QSize size;          // pixels of the output, upright
        bool scaled = false; // made smaller to fit the size target
        bool kept = false;   // already fitted the size target: the source's own picture
        QString suffix = QStringLiteral("jpg"); // of a file holding bytes
        QString error;                          // why there are no bytes
        int warnings = 0; // libjpeg's warnings on the source: damaged data it got past
        [[nodiscard]] bool ok() const { return !bytes.isEmpty(); }
    };

    [[nodiscard]] static Result compress(const Image& photo, const Settings& settings);
    // The bytes of the photo at full quality; -1 when it cannot be encoded.
    [[nodiscard]] static qint64 fullQualitySize(const Image& photo);
    // The "before" size: the photo's own file, or for bare pixels their full-quality encoding.
    [[nodiscard]] static qint64 sourceSize(const Image& photo);
};
