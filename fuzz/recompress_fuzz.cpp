// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The recompressor on whole JPEG files: read in the DCT domain (or refused), re-encoded at a
// fixed quality and to a size, through every way it reads a file (the parallel entropy decoder
// included, which must give libjpeg's bytes). Whatever it hands back as a photo must open in
// libjpeg again.
#include "FuzzSupport.h"
#include "common/JpegCheck.h"
#include "compress/DctRecompressor.h"
#include "compress/ParallelEntropyDecoder.h"
#include "compress/PhotoCompressor.h"
#include "image/Image.h"
#include "image/JpegErrors.h"

#include <QCoreApplication>

#include <csetjmp>
#include <cstdint>
#include <cstring>

namespace {
// A libjpeg reader of a whole file. Its calls are made in functions holding only C state, so
// that an error's longjmp crosses no C++ object.
struct Reader
{
    JpegErrors errors{};
    jpeg_decompress_struct info{};
    bool created = false;
    ~Reader()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

bool readHeader(Reader& r, const uint8_t* data, size_t size)
{
    r.info.err = &r.errors.pub;
    r.errors.install();
    if (setjmp(r.errors.jump))
        return false;
    jpeg_create_decompress(&r.info);
    r.created = true;
    jpeg_mem_src(&r.info, data, static_cast<unsigned long>(size));
    return jpeg_read_header(&r.info, TRUE) == JPEG_HEADER_OK;
}

jvirt_barray_ptr* readCoefficients(Reader& r)
{
    if (setjmp(r.errors.jump))
        return nullptr;
    return jpeg_read_coefficients(&r.info);
}

JBLOCKROW rowOf(Reader& r, jvirt_barray_ptr array, JDIMENSION y)
{
    if (setjmp(r.errors.jump))
        return nullptr;
    return r.info.mem->access_virt_barray(reinterpret_cast<j_common_ptr>(&r.info), array, y, 1,
                                          FALSE)[0];
}

// The parallel decoder, in three parts, takes a file only where libjpeg reads the same
// coefficients from it without a warning.
void checkParallelDecoding(const uint8_t* data, size_t size)
{
    Reader parallel;
    if (!readHeader(parallel, data, size))
        return;
    // Without a component's table libjpeg stops at the scan; the decoder does not need one (and
    // is not used for such a file).
    for (int c = 0; c < parallel.info.num_components; ++c) {
        const int table = parallel.info.comp_info[c].quant_tbl_no;
        if (table < 0 || table >= NUM_QUANT_TBLS || !parallel.info.quant_tbl_ptrs[table])
            return;
    }
    ParallelEntropyDecoder decoder;
    if (!decoder.decode(parallel.info, parallel.info.src->next_input_byte,
                        parallel.info.src->bytes_in_buffer, 3))
        return;
    Reader plain;
    FUZZ_CHECK(readHeader(plain, data, size));
    const int warnings = plain.errors.warnings;
    jvirt_barray_ptr* arrays = readCoefficients(plain);
    FUZZ_CHECK(arrays && plain.errors.warnings == warnings);
    for (int c = 0; c < plain.info.num_components; ++c) {
        const jpeg_component_info& comp = plain.info.comp_info[c];
        const std::vector<JBLOCKROW> rows = decoder.rows(c);
        for (JDIMENSION y = 0; y < comp.height_in_blocks; ++y) {
            const JBLOCKROW row = rowOf(plain, arrays[c], y);
            FUZZ_CHECK(row && y < rows.size() &&
                       std::memcmp(row, rows[y], comp.width_in_blocks * sizeof(JBLOCK)) == 0);
        }
    }
}
} // namespace

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
    checkParallelDecoding(data, size);
    {
        DctRecompressor copies(jpeg, 50);
        const QByteArray at50 = copies.encode(50);
        FUZZ_CHECK(at50.isEmpty() || JpegCheck::opens(at50));
        FUZZ_CHECK(copies.encode(20).isEmpty() || copies.isUsable());
        DctRecompressor once(jpeg);
        const QByteArray single = once.encodeOnce(30);
        FUZZ_CHECK(single.isEmpty() || JpegCheck::opens(single));
        // Read whole on every core (where it takes the file), or by libjpeg: the same bytes.
        DctRecompressor parallel(jpeg, 50, DctRecompressor::Reading::ParallelEntropy);
        FUZZ_CHECK(parallel.encode(50) == at50);
        // Once, read into records and coded on every core where it takes the file, or by libjpeg
        // while being encoded: the same.
        DctRecompressor recorded(jpeg, 30, DctRecompressor::Reading::ParallelEntropy);
        FUZZ_CHECK(recorded.encodeOnce(30) == DctRecompressor(jpeg, 30).encodeOnce(30));
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
