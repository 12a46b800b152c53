// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CvImage.h"

namespace CvImage {

QImage toRgb32(const QImage& image)
{
    if (image.format() == QImage::Format_RGB32)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    // Transparent parts are paper, not black.
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    const QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < flat.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < flat.width(); ++x) {
            const int under = 255 - qAlpha(in[x]);
            out[x] = qRgb(qRed(in[x]) + under, qGreen(in[x]) + under, qBlue(in[x]) + under);
        }
    }
    return flat;
}

cv::Mat view(QImage& image)
{
    const int type = image.depth() == 8 ? CV_8UC1 : CV_8UC4;
    return {image.height(), image.width(), type, image.bits(), size_t(image.bytesPerLine())};
}

cv::Mat view(const QImage& image)
{
    const int type = image.depth() == 8 ? CV_8UC1 : CV_8UC4;
    // Read only by the callers; OpenCV's matrices have no const form.
    return {image.height(), image.width(), type, const_cast<uchar*>(image.constBits()),
            size_t(image.bytesPerLine())};
}

} // namespace CvImage
