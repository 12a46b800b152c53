// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StreamedJpeg.h"

#include "image/JpegErrors.h"
#include "image/JpegRows.h"
#include "image/RowSource.h"

#include <QBuffer>

#include <array>
#include <csetjmp>
#include <vector>

namespace {
constexpr qint64 kMostOptimizedBytes = qint64(256) << 20;

// libjpeg's output gathered in a QByteArray, a block at a time.
struct ByteSink
{
    jpeg_destination_mgr pub{};
    QByteArray bytes;
    std::array<JOCTET, 65536> block{};

    void install(jpeg_compress_struct& info)
    {
        pub.init_destination = [](j_compress_ptr c) { reset(c); };
        pub.empty_output_buffer = [](j_compress_ptr c) -> boolean {
            auto* self = static_cast<ByteSink*>(c->client_data);
            self->bytes.append(reinterpret_cast<const char*>(self->block.data()),
                               qsizetype(self->block.size()));
            reset(c);
            return TRUE;
        };
        pub.term_destination = [](j_compress_ptr c) {
            auto* self = static_cast<ByteSink*>(c->client_data);
            self->bytes.append(reinterpret_cast<const char*>(self->block.data()),
                               qsizetype(self->block.size() - c->dest->free_in_buffer));
        };
        info.dest = &pub;
        info.client_data = this;
    }
    static void reset(j_compress_ptr c)
    {
        auto* self = static_cast<ByteSink*>(c->client_data);
        c->dest->next_output_byte = self->block.data();
        c->dest->free_in_buffer = self->block.size();
    }
};

// Only plain C state and the caller's buffers live across the setjmp: a jump back leaves
// nothing to unwind here.
bool encodeRows(jpeg_compress_struct& info, JpegErrors& errors, RowSource& source, int quality,
                uchar* row)
{
    if (setjmp(errors.jump))
        return false;
    info.image_width = JDIMENSION(source.size().width());
    info.image_height = JDIMENSION(source.size().height());
    info.input_components = 4;
    info.in_color_space = JCS_EXT_RGBX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Optimized Huffman tables need every coefficient kept for a second pass (3 bytes a pixel at
    // 4:2:0): only where that stays small; beyond, the standard tables cost a few percent.
    info.optimize_coding =
        qint64(source.size().width()) * source.size().height() * 3 <= kMostOptimizedBytes;
    jpeg_start_compress(&info, TRUE);
    const bool alpha = source.format() == QImage::Format_RGBA8888_Premultiplied;
    const int width = source.size().width();
    while (info.next_scanline < info.image_height) {
        if (!source.read(row))
            return false;
        // Premultiplied colour over white: what is not covered shows the paper.
        for (int x = 0; alpha && x < width; ++x) {
            uchar* p = row + ptrdiff_t(4) * x;
            const int rest = 255 - p[3];
            p[0] = uchar(p[0] + rest);
            p[1] = uchar(p[1] + rest);
            p[2] = uchar(p[2] + rest);
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}
} // namespace

QByteArray StreamedJpeg::encode(const Image& photo, int quality)
{
    const auto source = RowSource::open(photo);
    if (!source)
        return {};
    std::vector<uchar> row(size_t(source->size().width()) * 4);
    JpegErrors errors;
    errors.install();
    jpeg_compress_struct info{};
    info.err = &errors.pub;
    jpeg_create_compress(&info);
    ByteSink sink;
    sink.install(info);
    const bool done = encodeRows(info, errors, *source, qBound(1, quality, 100), row.data());
    jpeg_destroy_compress(&info);
    return done ? sink.bytes : QByteArray();
}

bool StreamedJpeg::decodes(const QByteArray& jpeg)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(jpeg);
    buffer->open(QIODevice::ReadOnly);
    JpegRows rows(std::move(buffer), 8);
    if (!rows.isOpen())
        return false;
    std::vector<uchar> row(size_t(rows.size().width()) * 4);
    for (int y = 0; y < rows.size().height(); ++y)
        if (!rows.read(row.data()))
            return false;
    return rows.warnings() == 0;
}
