// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// DctRecompressor's state, shared by its reading (DctRecompressor.cpp) and its encoding
// (DctRecompressorEncode.cpp).
#include "DctRecompressor.h"

#include "BlockStream.h"
#include "ParallelEntropyDecoder.h"
#include "RangeSource.h"
#include "SecondReader.h"
#include "image/JpegErrors.h"

#include <QLoggingCategory>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <memory>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcDctRecompressor)

struct DctRecompressor::Impl
{
    // The quality that asks for the source's own tables.
    static constexpr int kLossless = 0;

    QByteArray input;
    RangeSource source;
    QString refusal;
    JpegErrors errors{};
    jpeg_decompress_struct src{};
    bool created = false;
    jvirt_barray_ptr* sourceArrays = nullptr;
    // When set, the source reads only the luma AC scans, and this one the rest.
    std::unique_ptr<SecondReader> second;
    bool dcMerged = false;
    bool readWhole = true;
    jvirt_barray_ptr outputArrays[BlockLayout::kMaxComponents] = {};
    BlockLayout layout;
    QByteArray exif;
    JOCTET* icc = nullptr;
    unsigned int iccSize = 0;

    bool readHeader();
    bool readCoefficients();
    bool readOwnCoefficients();
    // The coefficients are there to encode from (read now if they were left for later); false,
    // with the refusal said, when they are used up or damaged.
    bool readyToEncode();
    [[nodiscard]] bool everyComponentRead() const;
    // One component's block rows: the source's, the output's (unless written in place) and,
    // for the luma of a file read by two readers, those holding its DC.
    struct Rows
    {
        std::vector<JBLOCKROW> source, output, dc;
    };
    bool lookUpRows(int c, Rows& rows);
    bool fill(j_compress_ptr dst);
    // Rows [from, to) of component c's output blocks.
    void fillRows(int c, Rows& rows, const JQUANT_TBL* outTable, int from, int to) const;
    void makeRows(j_compress_ptr dst, int c, int from, int to, JBLOCKROW* rows) const;
    QByteArray encodeWhileReading(int quality, const QByteArray& exifBlock);
    [[nodiscard]] bool losslessPossible() const;
    // The table component c was quantized with, from the reader that read its scans.
    [[nodiscard]] const JQUANT_TBL* tableOf(int c) const
    {
        return (second && c > 0 ? second->info : src).comp_info[c].quant_table;
    }
    void useSourceTables(j_compress_ptr dst) const;
    // The encoder's parameters for quality: may fail into the caller's setjmp.
    void setUp(j_compress_ptr dst, int quality);
    bool write(jpeg_compress_struct* dst, std::jmp_buf* jump, int quality,
               const QByteArray& exifBlock);
    // A one-scan file coded anew where it stands, read and written on every core through
    // RecordedScan; empty when it is not one such (and tryParallel is cleared when its data did
    // not decode, which libjpeg then reads).
    QByteArray encodeRecorded(int quality, const QByteArray& exifBlock);
    [[nodiscard]] int partsFor(qsizetype offset) const;
    // The pool's threads free to take a part of this photo's work; none in a batch, where each
    // core has a photo of its own.
    [[nodiscard]] static int idleCores();
    // The filled blocks written by BaselineWriter into written, on the idle cores: false when it
    // does not take them, and libjpeg writes them.
    bool writeOwn(const jpeg_compress_struct& dst, int quality, const QByteArray& exifBlock);
    QByteArray written;
    // A compressor set up for quality, its output in memory: null when libjpeg refuses it.
    struct Encoding
    {
        JpegErrors errors{};
        jpeg_compress_struct dst{};
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        ~Encoding();
    };
    std::unique_ptr<Encoding> begin(int quality);
    QByteArray finish(Encoding& out, int quality, const QByteArray& exifBlock);
    QByteArray encode(int quality, const QByteArray& exifBlock);

    // Set for an encoding written over the source's own blocks: each output block is made from
    // source blocks at or after its own place, so working in order never reads one overwritten.
    bool inPlace = false;
    bool consumed = false;
    // A one-scan file is read when first encoded: once only, it is read while being encoded.
    bool readLater = false;
    BlockStream* stream = nullptr;
    // A one-scan file may be read by the parallel decoder (tried once, when first encoded); its
    // blocks are then encoded from there, into blocks of their own unless written in place.
    bool tryParallel = false;
    std::unique_ptr<ParallelEntropyDecoder> decoded;
    std::array<BlockArray, BlockLayout::kMaxComponents> ownOutput;
    bool readInParallel();
    // The rows the encoder reads in place, per component, past the bottom edge included.
    std::array<std::vector<JBLOCKROW>, BlockLayout::kMaxComponents> placedRows;

    ~Impl()
    {
        std::free(icc);
        if (created)
            jpeg_destroy_decompress(&src);
    }
};
