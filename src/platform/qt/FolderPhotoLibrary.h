// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PhotoLibrary.h"

#include <QString>

class Dispatcher;

// The photo library as a folder of image files (subfolders included, hidden ones skipped).
class FolderPhotoLibrary : public PhotoLibrary
{
  public:
    FolderPhotoLibrary(QString folder, Dispatcher& dispatcher);

    void requestAuthorization(std::function<void(Status)> done) override;
    [[nodiscard]] std::vector<PhotoAsset> fetchAssets(JobControl* job = nullptr) override;
    [[nodiscard]] Image requestImage(const PhotoAsset& asset, QSize target) override;
    void save(const Image& image, std::function<void(QString error)> done) override;
    [[nodiscard]] QUrl settingsUrl() const override;

    [[nodiscard]] QString folder() const { return m_folder; }
    // Readable folder or none yet: authorised; a folder that cannot be read: denied.
    [[nodiscard]] Status status() const;
    // Writes image as a new file and returns its path; error says why when it could not.
    QString saveNow(const Image& image, QString& error);
    // When the photo was taken (EXIF DateTimeOriginal), else when the file was last changed.
    [[nodiscard]] static QDateTime captureTime(const QString& path, const QDateTime& modified);
    // The same from the first bytes of the file.
    [[nodiscard]] static QDateTime captureTimeOf(QByteArray head, const QDateTime& modified);
    // True when the whole file decodes, not just its header (a cut-off file does not).
    [[nodiscard]] static bool decodes(const Image& image);
    // Walks a JPEG's segments and scans to its end-of-image marker.
    [[nodiscard]] static bool jpegIsComplete(const uchar* p, qint64 n);

  private:
    QString m_folder;
    Dispatcher& m_dispatcher;
};
