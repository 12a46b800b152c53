// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StreamJob.h"

// Recodes one lifted stream: JPEGs requantized without leaving the DCT domain (or, when they are
// to be scaled, decoded and encoded again), lossless data deflated again and never made lossy.
class StreamRecoder
{
  public:
    // Fills job.encoded (and newSize when scaled); safe to run for many jobs at once.
    static void recode(StreamJob& job);
    // A JPEG without its EXIF blocks: a PDF draws the stored picture as it is, so an EXIF
    // orientation must not turn it while it is requantized.
    [[nodiscard]] static QByteArray withoutExif(const QByteArray& jpeg);
};
