// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PhotoLibrary.h"

#include <QMap>

// A photo library held in memory: the test sets its status, photos and whether saves fail.
class MemoryPhotoLibrary : public PhotoLibrary
{
  public:
    void requestAuthorization(std::function<void(Status)> done) override { done(status); }
    [[nodiscard]] std::vector<PhotoAsset> fetchAssets(JobControl* = nullptr) override
    {
        return assets;
    }
    [[nodiscard]] Image requestImage(const PhotoAsset& asset, QSize target) override;
    void save(const Image& image, std::function<void(QString error)> done) override;
    [[nodiscard]] QUrl settingsUrl() const override
    {
        return QUrl(QStringLiteral("file:///photos"));
    }

    // Adds a photo made of pixels (newest first is the caller's order).
    PhotoAsset add(const QString& name, const QImage& pixels);

    Status status = Status::Authorized;
    std::vector<PhotoAsset> assets;
    QMap<QString, Image> images;
    std::vector<Image> saved; // every successful save, in order
    int saveAttempts = 0;
    QString failSavesWith;   // non-empty: every save fails with this error
    int failSaveNumber = -1; // 0-based attempt that fails (with "disk full")
};
