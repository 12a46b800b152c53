// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoCompressor.h"
#include "image/Image.h"

#include <QString>

#include <cstdio>
#include <functional>

// Compresses one photo in a helper process, so that a photo which crashes or corrupts the JPEG
// library costs that photo only and never the batch around it. Within a session the helpers are
// kept for the next photos: no new program start for each, and its memory is there already.
class CompressWorker
{
  public:
    // Helpers that answered stay while a session is open; the last session to end ends them.
    class Session
    {
      public:
        // With ready, that many helpers are started at once, to start while the photos are
        // looked at.
        explicit Session(int ready = 0);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;
    };

    // PhotoCompressor::compress, run in the helper; a photo held only as pixels (nothing a decoder
    // could trip on) is compressed here. When the helper cannot be started it runs here too.
    [[nodiscard]] static PhotoCompressor::Result
    compress(const Image& photo, const PhotoCompressor::Settings& settings);

    // The helper's side: answers each request on in, on out, until in ends, calling answered
    // after each answer. Returns the exit status: 0 at the end of in, else 2 for a request it
    // cannot read, 1 when out failed.
    static int serve(FILE* in, FILE* out, const std::function<void()>& answered = {});

    // The helper: QUIRE_COMPRESS_WORKER, else beside this executable, else ../libexec/quire/.
    [[nodiscard]] static QString program();

  private:
    // One request, whose first line has been read; 0 when it was answered.
    static int answer(const char* line, FILE* in, FILE* out);
};
