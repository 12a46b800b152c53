// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>

// Re-encodes a JPEG without decoding its pixels: its DCT coefficients are read once, then turned
// upright by the EXIF orientation, brought to 4:2:0 chroma and quantized for each quality asked.
// JPEGs it cannot take that way (CMYK, 12-bit, a turn whose edge blocks do not fit) are refused
// with a reason, and the caller goes through pixels instead.
class DctRecompressor
{
  public:
    // How a one-scan file's coefficients are read when they must all be there before encoding (a
    // turn, or more than one encoding): by libjpeg (the default), or, built against the libjpeg
    // the fast paths were written for, by ParallelEntropyDecoder on every core (libjpeg still
    // reads whatever that decoder leaves to it). Both give the same bytes.
    enum class Reading
    {
        Libjpeg,
        ParallelEntropy
    };

    // No quality finer than finestQuality will be asked for: a progressive JPEG's last scans,
    // which only refine bits such an encoding rounds away, are then not read.
    explicit DctRecompressor(const QByteArray& jpeg, int finestQuality = 100,
                             Reading reading = Reading::Libjpeg);
    ~DctRecompressor();
    DctRecompressor(const DctRecompressor&) = delete;
    DctRecompressor& operator=(const DctRecompressor&) = delete;

    [[nodiscard]] bool isUsable() const;
    [[nodiscard]] QString refusal() const;
    // The size of the output: the picture upright.
    [[nodiscard]] QSize uprightSize() const;
    // The source's EXIF block ("Exif\0\0" and its TIFF data), empty when it has none.
    [[nodiscard]] QByteArray exif() const;
    // libjpeg's warnings so far while reading the source: damaged data it read past.
    [[nodiscard]] int warnings() const;

    // The picture at quality 1..100, carrying exif (may be empty) and the source's colour
    // profile; empty when encoding fails.
    [[nodiscard]] QByteArray encode(int quality, const QByteArray& exif = {}) const;
    // The same, written over the source's coefficients so that no second copy is made (or, for
    // a one-scan file, while it is read): the fastest way for a single encoding, after which
    // nothing more can be encoded. Byte for byte what encode() gives.
    [[nodiscard]] QByteArray encodeOnce(int quality, const QByteArray& exif = {});
    // The picture upright with the source's own coefficients and tables: no loss at all. Empty
    // when that cannot be done (its chroma would have to be halved, or Cb and Cr differ in
    // tables).
    [[nodiscard]] QByteArray encodeLossless(const QByteArray& exif = {}) const;
    // Whether encodeOnce takes its fast ways: only with the libjpeg they were written against.
    [[nodiscard]] static bool fastPaths();

    struct Impl;

  private:
    std::unique_ptr<Impl> d;
};
