// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoFormats.h"

#include "PhotoFixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTransform>

#include <libheif/heif.h>

#include <cstring>

namespace photofixtures {

bool writeHeic(const QString& path, const QImage& image, int orientation)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* picture = nullptr;
    heif_encoding_options* options = heif_encoding_options_alloc();
    bool ok = heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code ==
                  heif_error_Ok &&
              heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB,
                                heif_chroma_interleaved_RGB, &picture)
                      .code == heif_error_Ok &&
              heif_image_add_plane(picture, heif_channel_interleaved, rgb.width(), rgb.height(), 8)
                      .code == heif_error_Ok;
    if (ok) {
        int stride = 0;
        uint8_t* plane = heif_image_get_plane(picture, heif_channel_interleaved, &stride);
        for (int y = 0; y < rgb.height(); ++y)
            std::memcpy(plane + y * stride, rgb.constScanLine(y), size_t(rgb.width()) * 3);
        heif_encoder_set_lossy_quality(encoder, 90);
        options->image_orientation = heif_orientation(orientation);
        ok = heif_context_encode_image(context, picture, encoder, options, nullptr).code ==
                 heif_error_Ok &&
             heif_context_write_to_file(context, path.toLocal8Bit().constData()).code ==
                 heif_error_Ok;
    }
    heif_encoding_options_free(options);
    if (picture)
        heif_image_release(picture);
    if (encoder)
        heif_encoder_release(encoder);
    heif_context_free(context);
    return ok;
}

bool writeTiff(const QString& path, const QImage& image, int orientation)
{
    QImageWriter writer(path, "tiff");
    writer.setTransformation(orientation == 3   ? QImageIOHandler::TransformationRotate180
                             : orientation == 6 ? QImageIOHandler::TransformationRotate90
                             : orientation == 8 ? QImageIOHandler::TransformationRotate270
                                                : QImageIOHandler::TransformationNone);
    return writer.write(image);
}

bool writeWebp(const QString& path, const QImage& image, int orientation)
{
    QByteArray simple;
    QBuffer buffer(&simple);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "webp");
    writer.setQuality(90);
    if (!writer.write(image) || simple.size() < 12)
        return false;
    QByteArray out = simple;
    if (orientation != 1) {
        // The extended layout: a VP8X header saying EXIF follows, the picture, then the EXIF.
        const auto le = [](quint32 v, int bytes) {
            QByteArray b;
            for (int i = 0; i < bytes; ++i)
                b += char((v >> (8 * i)) & 0xff);
            return b;
        };
        const QByteArray exif = photofixtures::exifTiff({}, orientation);
        QByteArray body = "WEBP" + QByteArray("VP8X") + le(10, 4) + le(0x08, 4) +
                          le(quint32(image.width() - 1), 3) + le(quint32(image.height() - 1), 3) +
                          simple.mid(12) + "EXIF" + le(quint32(exif.size()), 4) + exif;
        if (exif.size() % 2)
            body += '\0';
        out = "RIFF" + le(quint32(body.size()), 4) + body;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

QStringList writeSidewaysInEachFormat(const QString& folder, const QImage& upright)
{
    QDir().mkpath(folder);
    const QImage stored = upright.transformed(QTransform().rotate(-90));
    const QStringList paths = {folder + QStringLiteral("/phone.heic"),
                               folder + QStringLiteral("/scan.tif"),
                               folder + QStringLiteral("/web.webp")};
    const bool ok = writeHeic(paths[0], stored, 6) && writeTiff(paths[1], stored, 6) &&
                    writeWebp(paths[2], stored, 6);
    return ok ? paths : QStringList();
}
} // namespace photofixtures
