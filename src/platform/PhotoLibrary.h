// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"

#include <QDateTime>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class JobControl;

// One photo of the library; two assets are the same when they name the same file.
struct PhotoAsset
{
    QString path;
    QDateTime created; // capture time, else the file's modification time
    friend bool operator==(const PhotoAsset& a, const PhotoAsset& b) { return a.path == b.path; }
};

// The user's photo library: authorisation, listing newest first, image requests and saving.
class PhotoLibrary
{
  public:
    enum class Status
    {
        NotDetermined = 0,
        Restricted = 1,
        Denied = 2,
        Authorized = 3,
        Limited = 4
    };
    virtual ~PhotoLibrary() = default;

    // Answers on a background thread, never on the GUI thread.
    virtual void requestAuthorization(std::function<void(Status)> done) = 0;
    // Every photo, newest first. job, when given, hears of each photo looked at and may stop the
    // listing, which then gives nothing.
    [[nodiscard]] virtual std::vector<PhotoAsset> fetchAssets(JobControl* job = nullptr) = 0;
    // The photo fitted into target (aspect-fit), or at full size when target is invalid. A null
    // Image when the photo cannot be read.
    [[nodiscard]] virtual Image requestImage(const PhotoAsset& asset, QSize target) = 0;
    // Adds image as a new photo, never over another; done gets an error text, empty on success.
    // done may run on any thread.
    virtual void save(const Image& image, std::function<void(QString error)> done) = 0;
    // What "Setting" of the permission alert opens.
    [[nodiscard]] virtual QUrl settingsUrl() const = 0;
};
