// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The recompressor on whole JPEG files: read in the DCT domain (or refused), re-encoded at a
// fixed quality and to a size, through every way it reads a file (the parallel entropy decoder
// included, which must give libjpeg's bytes). Whatever it hands back as a photo must open in
// libjpeg again.
#include "FuzzSupport.h"
#include "common/JpegCheck.h"
#include "compress/DctRecompressor.h"
#include "compress/PhotoCompressor.h"
#include "image/Image.h"

#include <QCoreApplication>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv); // image format plugins are found through it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray jpeg(reinterpret_cast<const char*>(data), qsizetype(size));
    const Image photo = Image::fromData(jpeg);
    // Huge claimed sizes are the decoders' business and only slow the search down.
    if (photo.isNull() || qint64(photo.pixelSize().width()) * photo.pixelSize().height() > 1 << 20)
        return 0;
    {
        DctRecompressor copies(jpeg, 50);
        const QByteArray at50 = copies.encode(50);
        FUZZ_CHECK(at50.isEmpty() || JpegCheck::opens(at50));
        FUZZ_CHECK(copies.encode(20).isEmpty() || copies.isUsable());
        DctRecompressor once(jpeg);
        const QByteArray single = once.encodeOnce(30);
        FUZZ_CHECK(single.isEmpty() || JpegCheck::opens(single));
        // The scan read on every core, or left to libjpeg: the same bytes either way.
        DctRecompressor parallel(jpeg, 100, DctRecompressor::Reading::ParallelEntropy);
        FUZZ_CHECK(parallel.encodeOnce(30) == single);
    }
    for (const PhotoCompressor::Settings& settings :
         {PhotoCompressor::Settings{25, 0, false}, PhotoCompressor::Settings{25, 2000, true}}) {
        const PhotoCompressor::Result result = PhotoCompressor::compress(photo, settings);
        FUZZ_CHECK(result.ok() ? JpegCheck::opens(result.bytes) : !result.error.isEmpty());
        if (result.ok() && settings.maxBytes > 0)
            FUZZ_CHECK(result.bytes.size() <= settings.maxBytes);
    }
    return 0;
}
