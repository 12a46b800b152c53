// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DctRecompressor.h"

#include "CoefficientMapper.h"
#include "PhotoMetadata.h"
#include "ScanCut.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {
// Above this many pixels the coefficients alone would take too much memory.
constexpr qint64 kMaxPixels = 150'000'000;

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}
void quiet(j_common_ptr)
{
}

void useErrors(jpeg_error_mgr& pub)
{
    jpeg_std_error(&pub);
    pub.error_exit = onError;
    pub.output_message = quiet;
}

int roundUp(int value, int step)
{
    return (value + step - 1) / step * step;
}
} // namespace

struct DctRecompressor::Impl
{
    QByteArray input;
    QString refusal;
    ErrorManager errors{};
    jpeg_decompress_struct src{};
    bool created = false;
    jvirt_barray_ptr* sourceArrays = nullptr;
    jvirt_barray_ptr outputArrays[BlockLayout::kMaxComponents] = {};
    BlockLayout layout;
    QSize upright;
    QByteArray exif;
    JOCTET* icc = nullptr;
    unsigned int iccSize = 0;

    bool readHeader();
    bool plan();
    bool readCoefficients();
    void fill(j_compress_ptr dst) const;
    void fillComponent(int c, const JQUANT_TBL* outTable) const;
    bool write(jpeg_compress_struct* dst, std::jmp_buf* jump, int quality,
               const QByteArray& exifBlock) const;

    ~Impl()
    {
        std::free(icc);
        if (created)
            jpeg_destroy_decompress(&src);
    }
};

bool DctRecompressor::Impl::readHeader()
{
    src.err = &errors.pub;
    useErrors(errors.pub);
    if (setjmp(errors.jump))
        return false;
    jpeg_create_decompress(&src);
    created = true;
    jpeg_mem_src(&src, reinterpret_cast<const unsigned char*>(input.constData()),
                 static_cast<unsigned long>(input.size()));
    jpeg_save_markers(&src, JPEG_APP0 + 1, 0xffff);
    jpeg_save_markers(&src, JPEG_APP0 + 2, 0xffff);
    if (jpeg_read_header(&src, TRUE) != JPEG_HEADER_OK)
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

bool DctRecompressor::Impl::plan()
{
    const bool gray = src.jpeg_color_space == JCS_GRAYSCALE && src.num_components == 1;
    const bool ycc = src.jpeg_color_space == JCS_YCbCr && src.num_components == 3;
    if (src.data_precision != 8 || !(gray || ycc)) {
        refusal = QStringLiteral("not an 8-bit YCbCr or grey JPEG");
        return false;
    }
    const int w = int(src.image_width), h = int(src.image_height);
    if (qint64(w) * h > kMaxPixels) {
        refusal = QStringLiteral("too large");
        return false;
    }
    layout = BlockLayout::forOrientation(PhotoMetadata::orientation(exif));
    layout.components = src.num_components;
    const jpeg_component_info* comp = src.comp_info;
    // 4:2:0 like a fresh encoding: luma at 2 × 2, chroma halved where the source kept more.
    const bool halvable = ycc && comp[1].h_samp_factor == 1 && comp[1].v_samp_factor == 1 &&
                          comp[2].h_samp_factor == 1 && comp[2].v_samp_factor == 1 &&
                          comp[0].h_samp_factor <= 2 && comp[0].v_samp_factor <= 2;
    int hMax = 1, vMax = 1; // of the output, in source orientation
    for (int c = 0; c < layout.components; ++c) {
        int hs = gray ? 1 : comp[c].h_samp_factor, vs = gray ? 1 : comp[c].v_samp_factor;
        if (halvable && c > 0) {
            layout.downX[size_t(c)] = 2 / comp[0].h_samp_factor;
            layout.downY[size_t(c)] = 2 / comp[0].v_samp_factor;
        } else if (halvable) {
            hs = vs = 2;
        }
        layout.hSamp[size_t(c)] = hs;
        layout.vSamp[size_t(c)] = vs;
        hMax = std::max(hMax, hs);
        vMax = std::max(vMax, vs);
    }
    // A mirrored axis puts the partial blocks at the far edge first: only whole ones can turn.
    const int srcH = gray ? 1 : src.max_h_samp_factor, srcV = gray ? 1 : src.max_v_samp_factor;
    if ((layout.flipX && w % (8 * std::max(hMax, srcH)) != 0) ||
        (layout.flipY && h % (8 * std::max(vMax, srcV)) != 0)) {
        refusal = QStringLiteral("edge blocks do not fit the turn");
        return false;
    }
    upright = layout.transpose ? QSize(h, w) : QSize(w, h);
    if (layout.transpose) {
        std::swap(hMax, vMax);
        std::swap(layout.hSamp, layout.vSamp);
    }
    for (int c = 0; c < layout.components; ++c) {
        const auto i = size_t(c);
        const int compW = (upright.width() * layout.hSamp[i] + hMax - 1) / hMax;
        const int compH = (upright.height() * layout.vSamp[i] + vMax - 1) / vMax;
        layout.widthInBlocks[i] = roundUp((compW + 7) / 8, layout.hSamp[i]);
        layout.heightInBlocks[i] = roundUp((compH + 7) / 8, layout.vSamp[i]);
    }
    return true;
}

bool DctRecompressor::Impl::readCoefficients()
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

void DctRecompressor::Impl::fillComponent(int c, const JQUANT_TBL* outTable) const
{
    auto* common = reinterpret_cast<j_common_ptr>(const_cast<jpeg_decompress_struct*>(&src));
    auto access = src.mem->access_virt_barray;
    const jpeg_component_info& in = src.comp_info[c];
    CoefficientMapper::Source source;
    source.width = int(in.width_in_blocks);
    source.height = int(in.height_in_blocks);
    source.table = in.quant_table->quantval;
    // The arrays live in memory whole, so each row's address stays valid once looked up.
    std::vector<CoefficientMapper::Block*> rows(size_t(source.height));
    for (int y = 0; y < source.height; ++y)
        rows[size_t(y)] = reinterpret_cast<CoefficientMapper::Block*>(
            access(common, sourceArrays[c], JDIMENSION(y), 1, FALSE)[0]);
    source.rows = rows.data();
    const CoefficientMapper mapper(layout, c, source.table, outTable->quantval);
    const int band = layout.vSamp[size_t(c)];
    for (int y0 = 0; y0 < layout.heightInBlocks[size_t(c)]; y0 += band) {
        JBLOCKARRAY out = access(common, outputArrays[c], JDIMENSION(y0), JDIMENSION(band), TRUE);
        for (int dy = 0; dy < band; ++dy)
            for (int x = 0; x < layout.widthInBlocks[size_t(c)]; ++x)
                mapper.map(source, x, y0 + dy, out[dy][x]);
    }
}

void DctRecompressor::Impl::fill(j_compress_ptr dst) const
{
    // Luma on another core while this one does the chroma: the two take about as long.
    QFuture<void> luma =
        QtConcurrent::run([this, dst] { fillComponent(0, dst->quant_tbl_ptrs[0]); });
    for (int c = 1; c < layout.components; ++c)
        fillComponent(c, dst->quant_tbl_ptrs[1]);
    luma.waitForFinished();
}

bool DctRecompressor::Impl::write(jpeg_compress_struct* dst, std::jmp_buf* jump, int quality,
                                  const QByteArray& exifBlock) const
{
    if (setjmp(*jump))
        return false;
    jpeg_copy_critical_parameters(const_cast<jpeg_decompress_struct*>(&src), dst);
    // The tables come first: the coefficients are quantized against them.
    jpeg_set_quality(dst, std::clamp(quality, 1, 100), TRUE);
    dst->image_width = JDIMENSION(upright.width());
    dst->image_height = JDIMENSION(upright.height());
    for (int c = 0; c < layout.components; ++c) {
        dst->comp_info[c].h_samp_factor = layout.hSamp[size_t(c)];
        dst->comp_info[c].v_samp_factor = layout.vSamp[size_t(c)];
        dst->comp_info[c].quant_tbl_no = c == 0 ? 0 : 1;
    }
    dst->optimize_coding = TRUE;
    fill(dst);
    jpeg_write_coefficients(dst, const_cast<jvirt_barray_ptr*>(outputArrays));
    if (!exifBlock.isEmpty() && exifBlock.size() <= 65533)
        jpeg_write_marker(dst, JPEG_APP0 + 1,
                          reinterpret_cast<const JOCTET*>(exifBlock.constData()),
                          unsigned(exifBlock.size()));
    if (icc)
        jpeg_write_icc_profile(dst, icc, iccSize);
    jpeg_finish_compress(dst);
    return true;
}

DctRecompressor::DctRecompressor(const QByteArray& jpeg, int finestQuality)
    : d(std::make_unique<Impl>())
{
    // The smallest steps of the standard tables (10 luma, 17 chroma) at that quality.
    const int scale = jpeg_quality_scaling(std::clamp(finestQuality, 1, 100));
    const auto step = [scale](int basic) { return std::clamp((basic * scale + 50) / 100, 1, 255); };
    const qsizetype cut = ScanCut::find(jpeg, {step(10), step(17), step(17), step(17)});
    d->input = cut < jpeg.size() ? jpeg.left(cut) + QByteArray("\xff\xd9", 2) : jpeg;
    if (!d->readHeader()) {
        d->refusal = QStringLiteral("not a readable JPEG");
        return;
    }
    if (!d->plan())
        return;
    if (!d->readCoefficients())
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
    return d->upright;
}
QByteArray DctRecompressor::exif() const
{
    return d->exif;
}

QByteArray DctRecompressor::encode(int quality, const QByteArray& exif) const
{
    if (!isUsable())
        return {};
    // Heap state: setjmp leaves locals changed after it undefined.
    struct Output
    {
        ErrorManager errors{};
        jpeg_compress_struct dst{};
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
    };
    auto out = std::make_unique<Output>();
    out->dst.err = &out->errors.pub;
    useErrors(out->errors.pub);
    jpeg_create_compress(&out->dst);
    jpeg_mem_dest(&out->dst, &out->buffer, &out->size);
    QByteArray result;
    if (d->write(&out->dst, &out->errors.jump, quality, exif))
        result = QByteArray(reinterpret_cast<const char*>(out->buffer), qsizetype(out->size));
    jpeg_destroy_compress(&out->dst);
    std::free(out->buffer);
    return result;
}
