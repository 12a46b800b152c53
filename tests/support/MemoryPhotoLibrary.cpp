// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryPhotoLibrary.h"

Image MemoryPhotoLibrary::requestImage(const PhotoAsset& asset, QSize target)
{
    const Image image = images.value(asset.path);
    if (image.isNull() || !target.isValid())
        return image;
    return Image::fromQImage(image.toQImage(target));
}

void MemoryPhotoLibrary::save(const Image& image, std::function<void(QString error)> done)
{
    const int attempt = saveAttempts++;
    if (!failSavesWith.isEmpty())
        return done(failSavesWith);
    if (attempt == failSaveNumber)
        return done(QStringLiteral("disk full"));
    saved.push_back(image);
    done({});
}

PhotoAsset MemoryPhotoLibrary::add(const QString& name, const QImage& pixels)
{
    PhotoAsset asset{name, QDateTime::fromSecsSinceEpoch(1700000000 - qint64(assets.size()))};
    assets.push_back(asset);
    images.insert(name, Image::fromQImage(pixels));
    return asset;
}
