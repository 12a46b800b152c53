// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RowSource.h"

#include "JpegRows.h"
#include "PngRows.h"
#include "TiffRows.h"
#include "common/InputFile.h"

#include <QBuffer>

std::unique_ptr<RowSource> RowSource::open(const Image& photo, QSize atLeast)
{
    const QByteArray format = photo.sourceFormat();
    if (format != "jpeg" && format != "png" && format != "tiff")
        return nullptr;
    std::unique_ptr<QIODevice> device;
    if (!photo.sourcePath().isEmpty()) {
        device = InputFile::open(photo.sourcePath());
    } else {
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(photo.sourceBytes());
        buffer->open(QIODevice::ReadOnly);
        device = std::move(buffer);
    }
    if (!device)
        return nullptr;
    if (format == "png") {
        auto rows = std::make_unique<PngRows>(std::move(device));
        return rows->isOpen() ? std::move(rows) : nullptr;
    }
    if (format == "tiff") {
        auto rows = std::make_unique<TiffRows>(std::move(device));
        return rows->isOpen() ? std::move(rows) : nullptr;
    }
    const bool turned = photo.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize stored = turned ? photo.pixelSize().transposed() : photo.pixelSize();
    int denominator = 1;
    for (int k : {8, 4, 2}) {
        if (atLeast.isValid() && stored.width() / k >= atLeast.width() &&
            stored.height() / k >= atLeast.height()) {
            denominator = k;
            break;
        }
    }
    auto rows = std::make_unique<JpegRows>(std::move(device), denominator);
    return rows->isOpen() ? std::move(rows) : nullptr;
}
