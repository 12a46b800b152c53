// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DctRecompressor.h"

#include "BaselineWriter.h"
#include "BlockStream.h"
#include "CoefficientMapper.h"
#include "ParallelEntropyDecoder.h"
#include "PhotoMetadata.h"
#include "RangeSource.h"
#include "RecordedScan.h"
#include "ScanCut.h"
#include "Together.h"
#include "image/JpegErrors.h"

#include <QLoggingCategory>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <optional>
#include <utility>
#include <vector>

#ifndef LIBJPEG_TURBO_VERSION_NUMBER
#define LIBJPEG_TURBO_VERSION_NUMBER 0 // another libjpeg
#endif

namespace {
Q_LOGGING_CATEGORY(lcCompress, "quire.compress")

// The two fast ways of encodeOnce (over the source's own blocks, and while reading a one-scan
// file) hand the encoder block rows through its memory manager's access_virt_barray, and the
// second learns which rows the reader has finished from the reader's: how libjpeg-turbo 2.0 to
// 3.0 call it, not its documented interface. Built against any other libjpeg, encodeOnce takes
// the documented way (read every coefficient, requantize into arrays of its own, write).
constexpr bool kFastPaths =
    LIBJPEG_TURBO_VERSION_NUMBER >= 2000000 && LIBJPEG_TURBO_VERSION_NUMBER < 3001000;

// Starts a reader on source and reads the header, keeping the EXIF and ICC markers when asked;
// false when there is no readable header. created says whether info needs destroying.
bool openReader(jpeg_decompress_struct& info, JpegErrors& errors, RangeSource& source,
                bool& created, bool keepMarkers)
{
    info.err = &errors.pub;
    errors.install();
    if (setjmp(errors.jump))
        return false;
    jpeg_create_decompress(&info);
    created = true;
    source.attach(&info);
    if (keepMarkers) {
        jpeg_save_markers(&info, JPEG_APP0 + 1, 0xffff);
        jpeg_save_markers(&info, JPEG_APP0 + 2, 0xffff);
    }
    return jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
}

// Reads the scans of a progressive JPEG other than its luma AC ones (the DC of every component and
// the chroma), on another core while the luma AC scans are read.
struct SecondReader
{
    RangeSource source;
    JpegErrors errors{};
    jpeg_decompress_struct info{};
    bool created = false;
    jvirt_barray_ptr* arrays = nullptr;

    bool read()
    {
        if (!openReader(info, errors, source, created, false))
            return false;
        if (setjmp(errors.jump))
            return false;
        arrays = jpeg_read_coefficients(&info);
        return arrays != nullptr;
    }

    ~SecondReader()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};
// The pool's threads free to take a part of this photo's work; none in a batch, where each core
// has a photo of its own.
int idleCores()
{
    const QThreadPool* pool = QThreadPool::globalInstance();
    return std::max(pool->maxThreadCount() - pool->activeThreadCount(), 0);
}

// The address of each block row of array, looked up while libjpeg may still fail; the arrays
// live in memory whole, so the addresses stay valid. Only plain C state lives between the setjmp
// and the calls that may jump back to it.
bool rowsOf(jpeg_decompress_struct& info, JpegErrors& errors, jvirt_barray_ptr array,
            std::vector<JBLOCKROW>& rows)
{
    JBLOCKROW* const out = rows.data();
    const size_t count = rows.size();
    if (setjmp(errors.jump))
        return false;
    auto* common = reinterpret_cast<j_common_ptr>(&info);
    for (size_t y = 0; y < count; ++y)
        out[y] = info.mem->access_virt_barray(common, array, JDIMENSION(y), 1, TRUE)[0];
    return true;
}
} // namespace

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

bool DctRecompressor::Impl::readHeader()
{
    if (!openReader(src, errors, source, created, true))
        return false;
    if (setjmp(errors.jump))
        return false;
    if (!jpeg_read_icc_profile(&src, &icc, &iccSize))
        icc = nullptr;
    for (jpeg_saved_marker_ptr m = src.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && m->data_length > 6 &&
            QByteArrayView(m->data, 6) == QByteArrayView("Exif\0\0", 6)) {
            exif = QByteArray(reinterpret_cast<const char*>(m->data), int(m->data_length));
            break;
        }
    return true;
}

bool DctRecompressor::Impl::readCoefficients()
{
    QFuture<bool> secondRead;
    if (second)
        secondRead = QtConcurrent::run([reader = second.get()] { return reader->read(); });
    const bool own = readOwnCoefficients();
    return (second ? secondRead.result() : true) && own && everyComponentRead();
}

bool DctRecompressor::Impl::everyComponentRead() const
{
    // libjpeg takes a component's quantization table at its first scan: a file that ends before
    // some component's scans leaves that component without one, and without coefficients.
    for (int c = 0; c < layout.components; ++c) {
        const jpeg_decompress_struct& from = second && c > 0 ? second->info : src;
        if (!from.comp_info[c].quant_table)
            return false;
    }
    return true;
}

bool DctRecompressor::Impl::readOwnCoefficients()
{
    if (setjmp(errors.jump))
        return false;
    // The output's blocks live beside the source's, so that each quality tried reuses them.
    for (int c = 0; c < layout.components; ++c)
        outputArrays[c] = src.mem->request_virt_barray(
            reinterpret_cast<j_common_ptr>(&src), JPOOL_IMAGE, FALSE,
            JDIMENSION(layout.widthInBlocks[size_t(c)]),
            JDIMENSION(layout.heightInBlocks[size_t(c)]), JDIMENSION(layout.vSamp[size_t(c)]));
    sourceArrays = jpeg_read_coefficients(&src);
    return sourceArrays != nullptr;
}

int DctRecompressor::Impl::partsFor(qsizetype offset) const
{
    // A part per idle core, none too small to be worth a thread; with no core to spare (a batch
    // gives each core a photo of its own) splitting would only add work.
    constexpr qsizetype kPartBytes = 8192;
    const int cores = std::min(1 + idleCores(), QThread::idealThreadCount());
    return int(std::clamp<qsizetype>((input.size() - offset) / kPartBytes, 1, std::max(cores, 1)));
}

QByteArray DctRecompressor::Impl::encodeRecorded(int quality, const QByteArray& exifBlock)
{
    if (!tryParallel || quality == kLossless)
        return {};
    for (int c = 0; c < layout.components; ++c)
        if (layout.downX[size_t(c)] != 1 || layout.downY[size_t(c)] != 1)
            return {};
    // The scan's MCUs must be the output's: its components in order, each sampled alike.
    for (int i = 0; i < src.comps_in_scan; ++i) {
        const jpeg_component_info* comp = src.cur_comp_info[i];
        if (!comp || comp->component_index != i ||
            (src.comps_in_scan > 1 && (comp->h_samp_factor != layout.hSamp[size_t(i)] ||
                                       comp->v_samp_factor != layout.vSamp[size_t(i)])))
            return {};
    }
    const auto* begin = reinterpret_cast<const uint8_t*>(input.constData());
    const qsizetype offset = src.src->next_input_byte - begin;
    if (offset < 0 || offset > input.size())
        return {};
    // Heap state: setjmp leaves locals changed after it undefined.
    struct Output
    {
        JpegErrors errors{};
        jpeg_compress_struct dst{};
        std::array<std::optional<CoefficientMapper>, BlockLayout::kMaxComponents> mappers;
        std::array<const CoefficientMapper*, MAX_COMPONENTS> use{};
        ~Output() { jpeg_destroy_compress(&dst); }
    };
    auto out = std::make_unique<Output>();
    out->dst.err = &out->errors.pub;
    out->errors.install();
    jpeg_create_compress(&out->dst);
    if (setjmp(out->errors.jump))
        return {};
    setUp(&out->dst, quality);
    for (int c = 0; c < layout.components; ++c) {
        const int table = src.comp_info[c].quant_tbl_no;
        if (table < 0 || table >= NUM_QUANT_TBLS || !src.quant_tbl_ptrs[table])
            return {};
        const auto i = size_t(c);
        out->use[i] = &out->mappers[i].emplace(layout, c, src.quant_tbl_ptrs[table]->quantval,
                                               out->dst.quant_tbl_ptrs[c == 0 ? 0 : 1]->quantval);
    }
    const int parts = partsFor(offset);
    // On the heap: its Huffman look-ups take a few hundred kilobytes.
    auto scan = std::make_unique<RecordedScan>();
    if (!scan->decode(src, begin + offset, size_t(input.size() - offset), parts, out->use)) {
        qCDebug(lcCompress) << "scan left to libjpeg";
        tryParallel = false;
        return {};
    }
    QByteArray bytes =
        BaselineWriter::write(out->dst, *scan, out->use, exifBlock, icc, iccSize, parts);
    if (bytes.isEmpty())
        tryParallel = false; // read, but not taken: not read again
    return bytes;
}

bool DctRecompressor::Impl::readInParallel()
{
    if (!tryParallel)
        return false;
    tryParallel = false;
    const auto* begin = reinterpret_cast<const uint8_t*>(input.constData());
    const qsizetype offset = src.src->next_input_byte - begin;
    if (offset < 0 || offset > input.size())
        return false;
    for (int c = 0; c < layout.components; ++c) {
        const int table = src.comp_info[c].quant_tbl_no;
        if (table < 0 || table >= NUM_QUANT_TBLS || !src.quant_tbl_ptrs[table])
            return false;
    }
    // A part per idle core, none too small to be worth a thread; with no core to spare (a batch
    // gives each core a photo of its own) splitting would only add work, and libjpeg reads it.
    const int parts = partsFor(offset);
    if (parts < 2)
        return false;
    auto decoder = std::make_unique<ParallelEntropyDecoder>();
    if (!decoder->decode(src, begin + offset, size_t(input.size() - offset), parts)) {
        qCDebug(lcCompress) << "scan left to libjpeg";
        return false;
    }
    // What libjpeg takes at the start of the scan: the tables the blocks were quantized with.
    for (int c = 0; c < layout.components; ++c)
        src.comp_info[c].quant_table = src.quant_tbl_ptrs[src.comp_info[c].quant_tbl_no];
    qCDebug(lcCompress) << "scan read in" << parts << "parts," << decoder->resynchronised()
                        << "joined at a guessed start";
    decoded = std::move(decoder);
    readLater = false;
    return true;
}

bool DctRecompressor::Impl::lookUpRows(int c, Rows& rows)
{
    if (c < 0 || c >= layout.components || c >= BlockLayout::kMaxComponents)
        return false;
    if (decoded) {
        const auto i = size_t(c);
        rows.source = decoded->rows(c);
        rows.source.resize(src.comp_info[c].height_in_blocks);
        if (!inPlace && ownOutput[i].isNull())
            ownOutput[i] =
                BlockArray(size_t(layout.widthInBlocks[i]), size_t(layout.heightInBlocks[i]));
        rows.output = inPlace ? std::vector<JBLOCKROW>() : ownOutput[i].rows(ownOutput[i].height());
        return inPlace || !ownOutput[i].isNull();
    }
    const bool fromSecond = second && c > 0;
    jpeg_decompress_struct& from = fromSecond ? second->info : src;
    JpegErrors& fromErrors = fromSecond ? second->errors : errors;
    const auto i = size_t(c);
    rows.source.resize(from.comp_info[c].height_in_blocks);
    rows.output.resize(inPlace ? 0 : size_t(layout.heightInBlocks[i]));
    rows.dc.resize(c == 0 && second && !dcMerged ? rows.source.size() : 0);
    return rowsOf(from, fromErrors, (fromSecond ? second->arrays : sourceArrays)[c], rows.source) &&
           rowsOf(src, errors, outputArrays[c], rows.output) &&
           (rows.dc.empty() || rowsOf(second->info, second->errors, second->arrays[0], rows.dc));
}

void DctRecompressor::Impl::fillRows(int c, Rows& rows, const JQUANT_TBL* outTable, int from,
                                     int to) const
{
    const jpeg_component_info& in = (second && c > 0 ? second->info : src).comp_info[c];
    CoefficientMapper::Source source;
    source.width = int(in.width_in_blocks);
    source.height = int(in.height_in_blocks);
    source.table = in.quant_table->quantval;
    source.rows = reinterpret_cast<CoefficientMapper::Block* const*>(rows.source.data());
    const CoefficientMapper mapper(layout, c, source.table, outTable->quantval);
    // In place, only real blocks: the encoder makes up those past the edges itself.
    const int width = layout.realWidth[size_t(c)];
    for (int y = from; y < to; ++y)
        for (int x = 0; x < (inPlace ? width : layout.widthInBlocks[size_t(c)]); ++x)
            mapper.map(source, x, y, (inPlace ? rows.source : rows.output)[size_t(y)][x]);
}

bool DctRecompressor::Impl::fill(j_compress_ptr dst)
{
    // Every libjpeg call is made here, on this thread, each under its own reader's handler; the
    // mapping on other cores only touches memory libjpeg has handed over.
    std::array<Rows, BlockLayout::kMaxComponents> rows;
    for (int c = 0; c < layout.components; ++c)
        if (!lookUpRows(c, rows[size_t(c)]))
            return false;
    dcMerged = true;
    // The luma DC was read by the second reader.
    for (size_t y = 0; y < rows[0].dc.size(); ++y)
        for (size_t x = 0; x < size_t(src.comp_info[0].width_in_blocks); ++x)
            rows[0].source[y][x][0] = rows[0].dc[y][x][0];
    // Each component in two halves of its rows, on every core, where the halves are apart: not
    // chroma halved in place, whose output rows are read from rows further down.
    struct Share
    {
        int c = 0;
        int from = 0;
        int to = 0;
    };
    std::vector<Share> shares;
    for (int c = 0; c < layout.components; ++c) {
        const auto i = size_t(c);
        const int height = inPlace ? layout.realHeight[i] : layout.heightInBlocks[i];
        const bool apart = !inPlace || (layout.downX[i] == 1 && layout.downY[i] == 1);
        if (apart && height > 1) {
            shares.push_back({c, 0, height / 2});
            shares.push_back({c, height / 2, height});
        } else {
            shares.push_back({c, 0, height});
        }
    }
    together(int(shares.size()), [&](int k) {
        const Share& share = shares[size_t(k)];
        fillRows(share.c, rows[size_t(share.c)], dst->quant_tbl_ptrs[share.c == 0 ? 0 : 1],
                 share.from, share.to);
    });
    for (int c = 0; c < layout.components; ++c) {
        const auto i = size_t(c);
        if (inPlace) {
            rows[i].source.resize(size_t(layout.heightInBlocks[i]), rows[i].source.back());
            placedRows[i] = std::move(rows[i].source);
        } else {
            placedRows[i] = rows[i].output;
        }
    }
    return true;
}

void DctRecompressor::Impl::setUp(j_compress_ptr dst, int quality)
{
    jpeg_copy_critical_parameters(&src, dst);
    // The tables come first: the coefficients are quantized against them.
    if (quality == kLossless)
        useSourceTables(dst);
    else
        jpeg_set_quality(dst, std::clamp(quality, 1, 100), TRUE);
    dst->image_width = JDIMENSION(layout.upright.width());
    dst->image_height = JDIMENSION(layout.upright.height());
    for (int c = 0; c < layout.components; ++c) {
        dst->comp_info[c].h_samp_factor = layout.hSamp[size_t(c)];
        dst->comp_info[c].v_samp_factor = layout.vSamp[size_t(c)];
        dst->comp_info[c].quant_tbl_no = c == 0 ? 0 : 1;
    }
    dst->optimize_coding = TRUE;
    if (quality == kLossless && src.progressive_mode)
        jpeg_simple_progression(dst); // as compact as the source was
}

bool DctRecompressor::Impl::write(jpeg_compress_struct* dst, std::jmp_buf* jump, int quality,
                                  const QByteArray& exifBlock)
{
    if (setjmp(*jump))
        return false;
    jvirt_barray_ptr placed[BlockLayout::kMaxComponents] = {};
    if (stream) {
        jpeg_write_coefficients(dst, stream->serve(dst));
    } else if (inPlace || decoded) {
        if (!fill(dst))
            return false;
        if (writeOwn(*dst, quality, exifBlock))
            return true;
        // The encoder asks its memory manager for rows of each array: hand it the placed ones.
        for (int c = 0; c < layout.components; ++c)
            placed[c] = reinterpret_cast<jvirt_barray_ptr>(&placedRows[size_t(c)]);
        dst->mem->access_virt_barray = [](j_common_ptr, jvirt_barray_ptr array, JDIMENSION start,
                                          JDIMENSION, boolean) {
            return reinterpret_cast<std::vector<JBLOCKROW>*>(array)->data() + start;
        };
        jpeg_write_coefficients(dst, placed);
    } else {
        if (!fill(dst))
            return false;
        if (writeOwn(*dst, quality, exifBlock))
            return true;
        jpeg_write_coefficients(dst, outputArrays);
    }
    if (!exifBlock.isEmpty() && exifBlock.size() <= 65533)
        jpeg_write_marker(dst, JPEG_APP0 + 1,
                          reinterpret_cast<const JOCTET*>(exifBlock.constData()),
                          unsigned(exifBlock.size()));
    if (icc)
        jpeg_write_icc_profile(dst, icc, iccSize);
    jpeg_finish_compress(dst);
    return true;
}

bool DctRecompressor::Impl::writeOwn(const jpeg_compress_struct& dst, int quality,
                                     const QByteArray& exifBlock)
{
    if (quality == kLossless)
        return false; // the source's tables, which baseline may not carry
    std::array<const JBLOCKROW*, BlockLayout::kMaxComponents> rows{};
    for (int c = 0; c < layout.components; ++c)
        rows[size_t(c)] = placedRows[size_t(c)].data();
    written = BaselineWriter::write(dst, rows, exifBlock, icc, iccSize, idleCores() + 1);
    return !written.isEmpty();
}

bool DctRecompressor::Impl::losslessPossible() const
{
    for (int c = 0; c < layout.components; ++c)
        if (layout.downX[size_t(c)] != 1 || layout.downY[size_t(c)] != 1)
            return false;
    if (!tableOf(0))
        return false;
    if (layout.components < 3)
        return true;
    const JQUANT_TBL* cb = tableOf(1);
    const JQUANT_TBL* cr = tableOf(2);
    return cb && cr && std::equal(cb->quantval, cb->quantval + DCTSIZE2, cr->quantval);
}

void DctRecompressor::Impl::useSourceTables(j_compress_ptr dst) const
{
    // A turned block's coefficients are transposed: so are the steps they were quantized with,
    // which leaves every coefficient as it was.
    for (int t = 0; t < std::min(layout.components, 2); ++t) {
        const JQUANT_TBL* from = tableOf(t);
        JQUANT_TBL* table = jpeg_alloc_quant_table(reinterpret_cast<j_common_ptr>(dst));
        for (int k = 0; k < DCTSIZE2; ++k)
            table->quantval[k] =
                from->quantval[layout.transpose ? (k % DCTSIZE) * DCTSIZE + k / DCTSIZE : k];
        table->sent_table = FALSE;
        dst->quant_tbl_ptrs[t] = table;
    }
}

DctRecompressor::DctRecompressor(const QByteArray& jpeg, int finestQuality, Reading reading)
    : d(std::make_unique<Impl>())
{
    // The smallest steps of the standard tables (10 luma, 17 chroma) at that quality.
    const int scale = jpeg_quality_scaling(std::clamp(finestQuality, 1, 100));
    const auto step = [scale](int basic) { return std::clamp((basic * scale + 50) / 100, 1, 255); };
    const qsizetype cut = ScanCut::find(jpeg, {step(10), step(17), step(17), step(17)});
    d->input = jpeg;
    d->source.set(d->input.constData(), {{0, cut}});
    d->readWhole = cut == jpeg.size();
    // With a core to spare, a progressive file's luma AC scans are read beside the rest.
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool->activeThreadCount() < pool->maxThreadCount()) {
        auto readers = ScanCut::split(jpeg, cut);
        if (!readers[0].empty()) {
            d->source.set(d->input.constData(), std::move(readers[0]));
            d->second = std::make_unique<SecondReader>();
            d->readWhole = false;
            d->second->source.set(d->input.constData(), std::move(readers[1]));
        }
    }
    if (!d->readHeader()) {
        d->refusal = QStringLiteral("not a readable JPEG");
        return;
    }
    d->layout = BlockLayout::plan(d->src, PhotoMetadata::orientation(d->exif), d->refusal);
    if (!d->refusal.isEmpty())
        return;
    const bool oneScan = !d->second && !jpeg_has_multiple_scans(&d->src);
    d->tryParallel = kFastPaths && reading == Reading::ParallelEntropy && oneScan && d->readWhole;
    d->readLater = oneScan && (!d->layout.moves() || d->tryParallel);
    if (!d->readLater && !d->readCoefficients())
        d->refusal = QStringLiteral("damaged JPEG data");
}

DctRecompressor::~DctRecompressor() = default;

bool DctRecompressor::isUsable() const
{
    return d->refusal.isEmpty();
}
QString DctRecompressor::refusal() const
{
    return d->refusal;
}
QSize DctRecompressor::uprightSize() const
{
    return d->layout.upright;
}
QByteArray DctRecompressor::exif() const
{
    return d->exif;
}
int DctRecompressor::warnings() const
{
    // A file read in parts (its last scans left out, or shared by two readers) makes libjpeg warn
    // about the parts it was not given: only a file read whole says its data is damaged.
    return d->readWhole ? d->errors.warnings : 0;
}

DctRecompressor::Impl::Encoding::~Encoding()
{
    jpeg_destroy_compress(&dst);
    std::free(buffer);
}

std::unique_ptr<DctRecompressor::Impl::Encoding> DctRecompressor::Impl::begin(int quality)
{
    auto out = std::make_unique<Encoding>();
    out->dst.err = &out->errors.pub;
    out->errors.install();
    jpeg_create_compress(&out->dst);
    jpeg_mem_dest(&out->dst, &out->buffer, &out->size);
    if (setjmp(out->errors.jump))
        return nullptr;
    setUp(&out->dst, quality);
    return out;
}

QByteArray DctRecompressor::Impl::finish(Encoding& out, int quality, const QByteArray& exifBlock)
{
    if (!write(&out.dst, &out.errors.jump, quality, exifBlock))
        return {};
    return !written.isEmpty()
               ? std::exchange(written, {})
               : QByteArray(reinterpret_cast<const char*>(out.buffer), qsizetype(out.size));
}

QByteArray DctRecompressor::Impl::encode(int quality, const QByteArray& exifBlock)
{
    const std::unique_ptr<Encoding> out = begin(quality);
    return out ? finish(*out, quality, exifBlock) : QByteArray();
}

void DctRecompressor::Impl::makeRows(j_compress_ptr dst, int c, int from, int to,
                                     JBLOCKROW* rows) const
{
    const jpeg_component_info& in = src.comp_info[c];
    CoefficientMapper::Source source;
    source.width = int(in.width_in_blocks);
    source.height = int(in.height_in_blocks);
    source.table = in.quant_table->quantval;
    source.rows = reinterpret_cast<CoefficientMapper::Block* const*>(rows);
    const CoefficientMapper mapper(layout, c, source.table,
                                   dst->quant_tbl_ptrs[c == 0 ? 0 : 1]->quantval);
    for (int y = from; y < to; ++y)
        for (int x = 0; x < layout.realWidth[size_t(c)]; ++x)
            mapper.map(source, x, y, rows[y][x]);
}

QByteArray DctRecompressor::Impl::encodeWhileReading(int quality, const QByteArray& exifBlock)
{
    readLater = false;
    inPlace = consumed = true;
    std::array<int, 4> sourceRows{};
    for (int c = 0; c < layout.components; ++c)
        sourceRows[size_t(c)] = int(src.comp_info[c].height_in_blocks);
    BlockStream blocks(layout, sourceRows, layout.realHeight,
                       [this](j_compress_ptr dst, int c, int from, int to, JBLOCKROW* rows) {
                           makeRows(dst, c, from, to, rows);
                       });
    stream = &blocks;
    blocks.watch(&src);
    // Set up here, before the reading starts: the setting up reads the reader's state, which the
    // reading changes. Then the encoder on another core, taking rows as this one reads them.
    const std::unique_ptr<Encoding> prepared = begin(quality);
    if (!prepared) {
        stream = nullptr;
        inPlace = consumed = false;
        return {};
    }
    QFuture<QByteArray> encoded = QtConcurrent::run(
        [this, &prepared, quality, &exifBlock] { return finish(*prepared, quality, exifBlock); });
    const bool read = readOwnCoefficients();
    blocks.finish(read);
    QByteArray result = encoded.result();
    stream = nullptr;
    if (read && blocks.lost()) {
        // This libjpeg asked for its arrays otherwise than expected: the plain way instead.
        qCWarning(lcCompress) << "streamed encoding not possible with this libjpeg";
        inPlace = consumed = false;
        return encode(quality, exifBlock);
    }
    if (!read) {
        refusal = QStringLiteral("damaged JPEG data");
        return {};
    }
    return result;
}

bool DctRecompressor::Impl::readyToEncode()
{
    if (consumed)
        return false;
    if (readLater) {
        readLater = false;
        if (!readInParallel() && !readCoefficients()) {
            refusal = QStringLiteral("damaged JPEG data");
            return false;
        }
    }
    return true;
}

QByteArray DctRecompressor::encode(int quality, const QByteArray& exif) const
{
    if (!isUsable() || !d->readyToEncode())
        return {};
    return d->encode(quality, exif);
}

QByteArray DctRecompressor::encodeLossless(const QByteArray& exif) const
{
    if (!isUsable() || !d->readyToEncode())
        return {};
    if (!d->losslessPossible())
        return {};
    return d->encode(Impl::kLossless, exif);
}

bool DctRecompressor::fastPaths()
{
    return kFastPaths;
}

QByteArray DctRecompressor::encodeOnce(int quality, const QByteArray& exif)
{
    if (!isUsable() || d->consumed)
        return {};
    if (!kFastPaths)
        return encode(quality, exif);
    // Read on every core, then coded on every core: the fastest. Without the parallel decoder,
    // encoding while reading keeps two cores busy, the reader on one and libjpeg's encoder on the
    // other.
    if (d->readLater) {
        if (QByteArray bytes = d->encodeRecorded(quality, exif); !bytes.isEmpty()) {
            d->readLater = false;
            d->consumed = true;
            return bytes;
        }
        if (!d->layout.moves() && !d->readInParallel())
            return d->encodeWhileReading(quality, exif);
    }
    if (!d->readyToEncode())
        return {};
    // A turn reads blocks from anywhere: it needs blocks of its own.
    d->inPlace = !d->layout.moves();
    d->consumed = d->inPlace;
    return d->encode(quality, exif);
}
