// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegSamples.h"

#include "image/JpegErrors.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>

#include <opencv2/core.hpp>

namespace {
// A view of the samples; only written through for an image of one's own.
cv::Mat mat(const JpegSamples& in)
{
    return {in.size.height(), in.size.width(), CV_8UC(in.components()),
            const_cast<char*>(in.samples.constData())};
}

// A larger picture is not decoded: the samples alone would take more than this.
constexpr qint64 kMostSampleBytes = qint64(1) << 30;

// Only libjpeg's C state and the caller's buffer live across the setjmp: a jump back leaves
// nothing to unwind. The buffer is sized once the header is read, before any jump can come.
bool decodeInto(jpeg_decompress_struct& info, JpegErrors& errors, int denominator, JpegSamples& out)
{
    if (setjmp(errors.jump))
        return false;
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        out.model = JpegSamples::Model::Gray;
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
    info.out_color_space = info.jpeg_color_space;
    info.scale_num = 1;
    info.scale_denom = unsigned(denominator);
    info.dct_method = JDCT_ISLOW;
    // The samples are averaged down next: chroma repeated rather than interpolated up makes no
    // difference there, and costs less.
    info.do_fancy_upsampling = FALSE;
    jpeg_calc_output_dimensions(&info);
    const qint64 row = qint64(info.output_width) * info.output_components;
    if (info.output_components != out.components() || row * info.output_height > kMostSampleBytes)
        return false;
    out.samples.resize(qsizetype(row * info.output_height));
    out.size = QSize(int(info.output_width), int(info.output_height));
    jpeg_start_decompress(&info);
    auto* base = reinterpret_cast<JSAMPLE*>(out.samples.data());
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {base + row * info.output_scanline};
        if (jpeg_read_scanlines(&info, rows, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(&info);
    // A cut-off stream is filled with grey and only warned about: it is not the picture.
    return errors.warnings == 0;
}

bool encodeFrom(jpeg_compress_struct& info, JpegErrors& errors, const JpegSamples& in, int quality)
{
    if (setjmp(errors.jump))
        return false;
    info.image_width = JDIMENSION(in.size.width());
    info.image_height = JDIMENSION(in.size.height());
    info.input_components = in.components();
    info.in_color_space = in.model == JpegSamples::Model::Gray    ? JCS_GRAYSCALE
                          : in.model == JpegSamples::Model::YCbCr ? JCS_YCbCr
                                                                  : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    const qint64 row = qint64(in.size.width()) * in.components();
    const auto* base = reinterpret_cast<const JSAMPLE*>(in.samples.constData());
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {const_cast<JSAMPLE*>(base + row * info.next_scanline)};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}
} // namespace

JpegSamples JpegSamples::decode(const QByteArray& jpeg, int denominator)
{
    JpegSamples out;
    JpegErrors errors;
    errors.install();
    jpeg_decompress_struct info{};
    info.err = &errors.pub;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.constData()),
                 static_cast<unsigned long>(jpeg.size()));
    const bool done = decodeInto(info, errors, denominator, out);
    jpeg_destroy_decompress(&info);
    return done ? out : JpegSamples();
}

bool JpegSamples::isNeutral(int tolerance) const
{
    if (model != Model::YCbCr || samples.isEmpty())
        return false;
    const cv::Mat ycc = mat(*this);
    const int low = 128 - tolerance;
    const int high = 128 + tolerance;
    // In strips of rows, so that the mask stays small.
    constexpr int kStrip = 64;
    cv::Mat inside;
    for (int y = 0; y < ycc.rows; y += kStrip) {
        const cv::Mat strip = ycc.rowRange(y, std::min(ycc.rows, y + kStrip));
        cv::inRange(strip, cv::Scalar(0, low, low), cv::Scalar(255, high, high), inside);
        if (cv::countNonZero(inside) != int(strip.total()))
            return false;
    }
    return true;
}

JpegSamples JpegSamples::luma() const
{
    JpegSamples gray;
    gray.size = size;
    gray.model = Model::Gray;
    gray.samples.resize(samples.size() / 3);
    cv::Mat to(size.height(), size.width(), CV_8UC1, gray.samples.data());
    cv::extractChannel(mat(*this), to, 0);
    return gray;
}

QByteArray JpegSamples::encode(int quality) const
{
    JpegErrors errors;
    errors.install();
    jpeg_compress_struct info{};
    info.err = &errors.pub;
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &buffer, &length);
    const bool done = encodeFrom(info, errors, *this, qBound(1, quality, 100));
    jpeg_destroy_compress(&info);
    QByteArray bytes = done && buffer
                           ? QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(length))
                           : QByteArray();
    std::free(buffer); // NOLINT(cppcoreguidelines-no-malloc): libjpeg allocates it with malloc
    return bytes;
}
