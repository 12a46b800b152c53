// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// DctRecompressor's encoding: blocks mapped for the output, and written by BaselineWriter or
// libjpeg; a one-scan file coded anew from its records.
#include "DctRecompressorImpl.h"

#include "BaselineWriter.h"
#include "CoefficientMapper.h"
#include "RecordedScan.h"
#include "Together.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <optional>
#include <utility>

namespace {
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
    const auto* data = reinterpret_cast<const uint8_t*>(input.constData());
    const qsizetype offset = src.src->next_input_byte - data;
    if (offset < 0 || offset > input.size())
        return {};
    // Nothing below calls libjpeg: the compressor only holds the output's settings and tables.
    const std::unique_ptr<Encoding> out = begin(quality);
    if (!out)
        return {};
    std::array<std::optional<CoefficientMapper>, BlockLayout::kMaxComponents> mappers;
    std::array<const CoefficientMapper*, MAX_COMPONENTS> use{};
    for (int c = 0; c < layout.components; ++c) {
        const int table = src.comp_info[c].quant_tbl_no;
        if (table < 0 || table >= NUM_QUANT_TBLS || !src.quant_tbl_ptrs[table])
            return {};
        const auto i = size_t(c);
        use[i] = &mappers[i].emplace(layout, c, src.quant_tbl_ptrs[table]->quantval,
                                     out->dst.quant_tbl_ptrs[c == 0 ? 0 : 1]->quantval);
    }
    const int parts = partsFor(offset);
    // On the heap: its Huffman look-ups take a few hundred kilobytes.
    auto scan = std::make_unique<RecordedScan>();
    if (!scan->decode(src, data + offset, size_t(input.size() - offset), parts, use)) {
        qCDebug(lcDctRecompressor) << "scan left to libjpeg";
        tryParallel = false;
        return {};
    }
    QByteArray bytes = BaselineWriter::write(out->dst, *scan, use, exifBlock, icc, iccSize, parts);
    if (bytes.isEmpty())
        tryParallel = false; // read, but not taken: not read again
    return bytes;
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
        qCWarning(lcDctRecompressor) << "streamed encoding not possible with this libjpeg";
        inPlace = consumed = false;
        return encode(quality, exifBlock);
    }
    if (!read) {
        refusal = QStringLiteral("damaged JPEG data");
        return {};
    }
    return result;
}
