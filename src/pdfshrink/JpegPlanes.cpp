// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegPlanes.h"

#include "AreaAverage.h"
#include "image/JpegErrors.h"

#include <opencv2/imgproc.hpp>

#include <array>
#include <csetjmp>

namespace {
// A larger picture is not decoded: the samples alone would take more than this.
constexpr qint64 kMostSampleBytes = qint64(1) << 30;
// Rows of one component in one call: at most 4 (sampling) by 8 (block) of them.
constexpr int kMostRows = 4 * DCTSIZE;

// Only libjpeg's C state and the caller's planes live across the setjmp: a jump back leaves
// nothing to unwind. The planes are sized once the header is read, before any jump can come.
bool decodeInto(jpeg_decompress_struct& info, JpegErrors& errors, int denominator, JpegPlanes& out)
{
    if (setjmp(errors.jump))
        return false;
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    int components = 3;
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        out.model = JpegSamples::Model::Gray;
        components = 1;
        break;
    case JCS_YCbCr:
        out.model = JpegSamples::Model::YCbCr;
        break;
    case JCS_RGB:
        out.model = JpegSamples::Model::Rgb;
        break;
    default:
        return false; // CMYK and YCCK stay as they are
    }
    if (info.num_components != components)
        return false;
    info.raw_data_out = TRUE;
    info.out_color_space = info.jpeg_color_space;
    info.scale_num = 1;
    info.scale_denom = unsigned(denominator);
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    qint64 bytes = 0;
    for (int c = 0; c < components; ++c) {
        const jpeg_component_info& comp = info.comp_info[c];
        const int rows = comp.v_samp_factor * comp.DCT_scaled_size;
        if (rows > kMostRows)
            return false;
        bytes += qint64(comp.width_in_blocks) * comp.DCT_scaled_size * rows *
                 qint64(info.total_iMCU_rows);
    }
    if (bytes > kMostSampleBytes)
        return false;
    // Whole blocks are decoded; each plane is cut to its picture's size afterwards.
    for (int c = 0; c < components; ++c) {
        const jpeg_component_info& comp = info.comp_info[c];
        out.planes.emplace_back(int(info.total_iMCU_rows) * comp.v_samp_factor *
                                    comp.DCT_scaled_size,
                                int(comp.width_in_blocks) * comp.DCT_scaled_size, CV_8UC1);
    }
    const auto lines = JDIMENSION(info.max_v_samp_factor * info.min_DCT_scaled_size);
    std::array<std::array<JSAMPROW, kMostRows>, 3> rows{};
    std::array<JSAMPARRAY, 3> arrays{};
    for (int band = 0; info.output_scanline < info.output_height; ++band) {
        for (int c = 0; c < components; ++c) {
            const jpeg_component_info& comp = info.comp_info[c];
            const int count = comp.v_samp_factor * comp.DCT_scaled_size;
            for (int r = 0; r < count; ++r)
                rows[size_t(c)][size_t(r)] = out.planes[size_t(c)].ptr(band * count + r);
            arrays[size_t(c)] = rows[size_t(c)].data();
        }
        if (jpeg_read_raw_data(&info, arrays.data(), lines) != lines)
            return false;
    }
    for (int c = 0; c < components; ++c) {
        const jpeg_component_info& comp = info.comp_info[c];
        cv::Mat& plane = out.planes[size_t(c)];
        plane = plane(cv::Rect(0, 0, int(comp.downsampled_width), int(comp.downsampled_height)));
    }
    out.size = QSize(int(info.output_width), int(info.output_height));
    jpeg_finish_decompress(&info);
    // A cut-off stream is filled with grey and only warned about: it is not the picture.
    return errors.warnings == 0;
}
} // namespace

JpegPlanes JpegPlanes::decode(const QByteArray& jpeg, int denominator)
{
    JpegPlanes out;
    JpegErrors errors;
    errors.install();
    jpeg_decompress_struct info{};
    info.err = &errors.pub;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    const bool done = decodeInto(info, errors, denominator, out);
    jpeg_destroy_decompress(&info);
    return done ? out : JpegPlanes();
}

bool JpegPlanes::isNeutral(int tolerance) const
{
    if (model != JpegSamples::Model::YCbCr || planes.size() != 3)
        return false;
    for (size_t c = 1; c < 3; ++c) {
        double least = 0;
        double most = 0;
        cv::minMaxLoc(planes[c], &least, &most);
        if (least < 128 - tolerance || most > 128 + tolerance)
            return false;
    }
    return true;
}

JpegSamples JpegPlanes::scaled(QSize to, bool grey) const
{
    const size_t count = grey ? 1 : planes.size();
    JpegSamples out{{}, to, grey ? JpegSamples::Model::Gray : model};
    std::vector<cv::Mat> resized(count);
    for (size_t c = 0; c < count; ++c) {
        resized[c].create(to.height(), to.width(), CV_8UC1);
        AreaAverage::down(planes[c], resized[c]);
    }
    out.samples.resize(qsizetype(to.width()) * to.height() * qsizetype(count));
    cv::Mat interleaved(to.height(), to.width(), CV_8UC(int(count)), out.samples.data());
    if (count == 1)
        resized[0].copyTo(interleaved);
    else
        cv::merge(resized, interleaved);
    return out;
}
