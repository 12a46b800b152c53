// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QMetaType>
#include <QSizeF>
#include <QString>
#include <QUrl>

#include <memory>

// A cheap shared image handle with a size in points and a scale. It holds either pixels or an
// encoded source (a file or bytes) that is decoded on demand, upright by its EXIF orientation.
class Image
{
  public:
    // Larger photos are refused when read: decoding one would take gigabytes.
    static constexpr qint64 kMaxPixels = 200'000'000;
    // Up to this, a JPEG or PNG whose rows can be read one at a time is taken for the jobs that
    // stream rows (compress, resize, recognition), when its file is large enough to hold it.
    static constexpr qint64 kMaxStreamedPixels = 1'000'000'000;
    enum class Decoding
    {
        Whole,   // the job holds the whole bitmap: kMaxPixels
        RowByRow // the job streams rows: kMaxStreamedPixels for what streams
    };

    Image() = default;
    static Image fromQImage(const QImage& pixels, qreal scale = 1.0);
    // Reads only the header; a file that is not a readable image, or is above the limit of its
    // decoding, gives a null Image and the reason ("is a folder", "is too large", ...).
    static Image fromFile(const QString& path, qreal scale = 1.0, QString* reason = nullptr,
                          Decoding decoding = Decoding::Whole);
    static Image fromData(const QByteArray& bytes, qreal scale = 1.0);
    // The handle behind an image:// URL of url(), while something still holds it.
    static Image lookup(quint64 id);

    // No bitmap: nothing to show, encode or save.
    [[nodiscard]] bool isNull() const;
    [[nodiscard]] QSize pixelSize() const;
    [[nodiscard]] qreal scale() const;
    [[nodiscard]] QSizeF size() const;
    // The whole bitmap, upright; null when the source no longer decodes.
    [[nodiscard]] QImage toQImage() const;
    // Decoded to fit within bound (never larger than the image), upright. JPEGs scale while
    // decoding.
    [[nodiscard]] QImage toQImage(const QSize& bound) const;

    [[nodiscard]] bool hasSource() const;
    [[nodiscard]] QString sourcePath() const;
    // "jpeg", "png", ... of the encoded source; empty for plain pixels.
    [[nodiscard]] QByteArray sourceFormat() const;
    // The encoded source as it is stored (read from the file when there is one).
    [[nodiscard]] QByteArray sourceBytes() const;
    // How the stored pixels must be turned to stand upright (EXIF orientation).
    [[nodiscard]] QImageIOHandler::Transformations transformation() const;

    [[nodiscard]] quint64 id() const;
    // image://quire/<id>, for showing in QML through the image provider.
    [[nodiscard]] QUrl url() const;

    friend bool operator==(const Image& a, const Image& b) { return a.m_data == b.m_data; }

    struct Data; // opaque shared state

  private:
    std::shared_ptr<const Data> m_data;
};

Q_DECLARE_METATYPE(Image)
