// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoCompressor.h"
#include "image/Image.h"

#include <QString>

#include <cstdio>

// Compresses one photo in a helper process of its own, so that a photo which crashes or corrupts
// the JPEG library costs that photo only and never the batch around it.
class CompressWorker
{
  public:
    // PhotoCompressor::compress, run in the helper; a photo held only as pixels (nothing a decoder
    // could trip on) is compressed here. When the helper cannot be started it runs here too.
    [[nodiscard]] static PhotoCompressor::Result
    compress(const Image& photo, const PhotoCompressor::Settings& settings);

    // The helper's side: answers the one request on in, on out. Returns the exit status.
    static int serve(FILE* in, FILE* out);

    // The helper: QUIRE_COMPRESS_WORKER, else beside this executable, else ../libexec/quire/.
    [[nodiscard]] static QString program();
};
