// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderPhotoLibrary.h"

#include "common/InputFile.h"
#include "common/JobControl.h"
#include "common/JpegCheck.h"
#include "common/NewFile.h"
#include "common/PngCheck.h"
#include "platform/Dispatcher.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSet>
#include <QtConcurrent/QtConcurrentMap>

#include <libexif/exif-loader.h>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {
// Suffixes of every format the image plugins here read; PDF documents are not photos.
const QSet<QString>& photoSuffixes()
{
    static const QSet<QString> suffixes = [] {
        QSet<QString> s;
        for (const QByteArray& f : QImageReader::supportedImageFormats())
            s.insert(QString::fromLatin1(f).toLower());
        s.remove(QStringLiteral("pdf"));
        if (s.contains(QStringLiteral("jpeg")))
            s += {QStringLiteral("jpe"), QStringLiteral("jfif")};
        if (s.contains(QStringLiteral("tiff")))
            s.insert(QStringLiteral("tif"));
        return s;
    }();
    return suffixes;
}

bool mayHoldExif(const QString& suffix)
{
    static const QSet<QString> exif = {QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                       QStringLiteral("jpe"), QStringLiteral("jfif")};
    return exif.contains(suffix);
}

} // namespace

FolderPhotoLibrary::FolderPhotoLibrary(QString folder, Dispatcher& dispatcher)
    : m_folder(std::move(folder)), m_dispatcher(dispatcher)
{
}

PhotoLibrary::Status FolderPhotoLibrary::status() const
{
    const QFileInfo info(m_folder);
    if (!info.exists())
        return Status::Authorized; // an empty library, made on the first save
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return Status::Denied;
    return QDir(m_folder).isReadable() ? Status::Authorized : Status::Denied;
}

void FolderPhotoLibrary::requestAuthorization(std::function<void(Status)> done)
{
    m_dispatcher.background([this, done = std::move(done)] { done(status()); });
}

std::vector<PhotoAsset> FolderPhotoLibrary::fetchAssets(JobControl* job)
{
    std::vector<PhotoAsset> assets;
    std::vector<bool> readExif;
    QDirIterator it(m_folder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        if (job && job->isCancelled())
            return {};
        it.next();
        const QFileInfo info = it.fileInfo();
        if (!info.isFile()) // a link to a FIFO, device or folder is no photo
            continue;
        const QString suffix = info.suffix().toLower();
        if (!photoSuffixes().contains(suffix))
            continue;
        assets.push_back({info.filePath(), info.lastModified()});
        readExif.push_back(mayHoldExif(suffix));
    }
    // Reading capture times means opening every file: spread it over the cores.
    if (job)
        job->setTotal(int(assets.size()));
    std::vector<int> rows(assets.size());
    std::iota(rows.begin(), rows.end(), 0);
    QtConcurrent::blockingMap(rows, [&](int row) {
        if (job && job->isCancelled())
            return;
        PhotoAsset& a = assets[size_t(row)];
        if (readExif[size_t(row)])
            a.created = captureTime(a.path, a.created);
        if (job)
            job->advance();
    });
    if (job && job->isCancelled())
        return {};
    std::ranges::sort(assets, [](const PhotoAsset& a, const PhotoAsset& b) {
        return a.created != b.created ? a.created > b.created : a.path < b.path;
    });
    return assets;
}

QDateTime FolderPhotoLibrary::captureTime(const QString& path, const QDateTime& modified)
{
    // The EXIF block sits in the first 64 KiB segments; read through the safe opener, which
    // refuses a FIFO or device a photo name may point at.
    return captureTimeOf(InputFile::read(path, nullptr, qint64(256) * 1024), modified);
}

QDateTime FolderPhotoLibrary::captureTimeOf(QByteArray head, const QDateTime& modified)
{
    if (head.isEmpty())
        return modified;
    ExifLoader* loader = exif_loader_new();
    exif_loader_write(loader, reinterpret_cast<unsigned char*>(head.data()), unsigned(head.size()));
    ExifData* data = exif_loader_get_data(loader);
    exif_loader_unref(loader);
    if (!data)
        return modified;
    QDateTime taken;
    ExifEntry* entry =
        exif_content_get_entry(data->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL);
    if (entry && entry->format == EXIF_FORMAT_ASCII && entry->size >= 19) {
        const QString text = QString::fromLatin1(reinterpret_cast<const char*>(entry->data), 19);
        taken = QDateTime::fromString(text, QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    }
    exif_data_unref(data);
    return taken.isValid() ? taken : modified;
}

bool FolderPhotoLibrary::decodes(const Image& image)
{
    if (image.isNull())
        return false;
    if (image.sourceFormat() == "jpeg" && !image.sourcePath().isEmpty()) {
        // A cut-off JPEG still "decodes" (grey to the end), so look for its end instead, in the
        // file as mapped: the photo is read whole again by the job that uses it.
        // libjpeg must also take its layout: some that parse (fractional chroma sampling) do not.
        const auto whole = [](const uchar* data, qint64 size) {
            return jpegIsComplete(data, size) &&
                   JpegCheck::opens(reinterpret_cast<const char*>(data), size);
        };
        const auto file = InputFile::open(image.sourcePath());
        if (file && file->size() > 0)
            if (const uchar* mapped = file->map(0, file->size()))
                return whole(mapped, file->size());
        const QByteArray all = InputFile::read(image.sourcePath());
        return whole(reinterpret_cast<const uchar*>(all.constData()), all.size());
    }
    if (image.sourceFormat() == "png") {
        // Read by libpng itself, quietly: Qt's reader would print a damaged one's errors. Mapped
        // where it can be: a large picture's file may be larger than the memory it may take.
        const auto file =
            image.sourcePath().isEmpty() ? nullptr : InputFile::open(image.sourcePath());
        if (file && file->size() > 0)
            if (const uchar* mapped = file->map(0, file->size()))
                return PngCheck::reads(mapped, file->size());
        const QByteArray bytes = image.sourceBytes();
        return PngCheck::reads(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size());
    }
    // Anything else must decode; a small decode needs little memory.
    return !image.toQImage(QSize(256, 256)).isNull();
}

bool FolderPhotoLibrary::jpegIsComplete(const uchar* p, qint64 n)
{
    if (n < 4 || p[0] != 0xFF || p[1] != 0xD8)
        return false;
    qint64 i = 2;
    while (i + 1 < n) {
        if (p[i] != 0xFF)
            return false;
        const uchar marker = p[i + 1];
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        i += 2;
        if (marker == 0xD9) // end of image; whatever follows (a motion photo's video) is extra
            return true;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        if (i + 1 >= n)
            return false;
        const int length = (p[i] << 8) | p[i + 1];
        if (length < 2)
            return false;
        i += length;
        if (marker != 0xDA)
            continue;
        // Entropy-coded data runs to the next marker that is not stuffing or a restart.
        for (;;) {
            if (i >= n)
                return false;
            const void* ff = memchr(p + i, 0xFF, size_t(n - i));
            if (!ff)
                return false;
            i = static_cast<const uchar*>(ff) - p;
            if (i + 1 >= n)
                return false;
            const uchar next = p[i + 1];
            if (next == 0x00 || (next >= 0xD0 && next <= 0xD7))
                i += 2;
            else if (next == 0xFF)
                ++i;
            else
                break;
        }
    }
    return false;
}

Image FolderPhotoLibrary::requestImage(const PhotoAsset& asset, QSize target)
{
    const Image image = Image::fromFile(asset.path);
    if (!target.isValid())
        return decodes(image) ? image : Image();
    if (image.isNull())
        return {};
    const QImage fitted = image.toQImage(target);
    return fitted.isNull() ? Image() : Image::fromQImage(fitted);
}

QString FolderPhotoLibrary::saveNow(const Image& image, QString& error)
{
    if (image.isNull()) {
        error = QStringLiteral("There is no image to save.");
        return {};
    }
    if (!QDir().mkpath(m_folder)) {
        error = QStringLiteral("The folder %1 could not be made.").arg(m_folder);
        return {};
    }
    // A JPEG or PNG keeps its own bytes; anything else is written as PNG.
    const QByteArray format = image.sourceFormat();
    const bool keepBytes = format == "jpeg" || format == "png";
    const QByteArray bytes = keepBytes ? image.sourceBytes() : QByteArray();
    if (keepBytes && bytes.isEmpty()) {
        error = QStringLiteral("The image could not be read.");
        return {};
    }
    const QString extension = format == "jpeg" ? QStringLiteral("jpg") : QStringLiteral("png");
    NewFile file(m_folder);
    if (!file.open()) {
        error = file.errorString();
        return {};
    }
    bool ok = false;
    if (keepBytes) {
        ok = file.device().write(bytes) == bytes.size();
    } else {
        QImageWriter writer(&file.device(), "png");
        ok = writer.write(image.toQImage());
        if (!ok)
            error = writer.errorString();
    }
    if (!ok) {
        if (error.isEmpty())
            error = file.device().errorString();
        return {}; // the unnamed file goes with it: never half a photo in the library
    }
    const QString stem = QStringLiteral("Quire_") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    const QString path = file.commit([&](int n) {
        return (n == 1 ? stem : QStringLiteral("%1_%2").arg(stem).arg(n)) + QLatin1Char('.') +
               extension;
    });
    if (path.isEmpty())
        error = file.errorString();
    return path;
}

void FolderPhotoLibrary::save(const Image& image, std::function<void(QString error)> done)
{
    m_dispatcher.background([this, image, done = std::move(done)] {
        QString error;
        saveNow(image, error);
        done(error);
    });
}

QUrl FolderPhotoLibrary::settingsUrl() const
{
    return QUrl::fromLocalFile(m_folder);
}
