// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Image.h"

#include "RowScaler.h"
#include "StreamHeader.h"
#include "UprightReader.h"
#include "common/InputFile.h"

#include <QBuffer>
#include <QFile>
#include <QMutex>

#include <atomic>
#include <unordered_map>

struct Image::Data
{
    QImage pixels;
    QString path;
    QByteArray bytes;
    QByteArray format;
    QSize size; // upright pixel size
    qreal scale = 1.0;
    QImageIOHandler::Transformations transformation = QImageIOHandler::TransformationNone;
    quint64 id = 0;
};

namespace {
std::atomic<quint64> nextId{1};
QMutex registryMutex;
std::unordered_map<quint64, std::weak_ptr<const void>>& registry()
{
    static std::unordered_map<quint64, std::weak_ptr<const void>> map;
    return map;
}

bool swapsAxes(QImageIOHandler::Transformations t)
{
    return t & QImageIOHandler::TransformationRotate90;
}

// Whether a picture over kMaxPixels can still be taken row by row; else, why not.
bool streams(QIODevice& device, QSize stored, QString* why)
{
    const StreamHeader header = StreamHeader::read(device);
    const qint64 pixels = qint64(stored.width()) * stored.height();
    const qint64 limit = header.rowByRow ? Image::kMaxStreamedPixels : Image::kMaxPixels;
    if (header.size == stored && header.rowByRow && pixels <= limit &&
        device.size() < header.fewestBytes) {
        if (why)
            *why = QStringLiteral("is too large: %1 x %2 pixels cannot be held in %3 bytes")
                       .arg(stored.width())
                       .arg(stored.height())
                       .arg(device.size());
        return false;
    }
    if (header.size == stored && pixels <= limit)
        return true;
    if (why)
        *why = QStringLiteral("is too large: %1 x %2 pixels is over %3 megapixels")
                   .arg(stored.width())
                   .arg(stored.height())
                   .arg(limit / 1'000'000);
    return false;
}

// Fills size, format and transformation from a header; false, with why, when it does not read as
// an image or is too large to decode. A device is given when the job streams rows.
bool readHeader(UprightReader& reader, Image::Data& d, QString* why = nullptr,
                QIODevice* streamed = nullptr)
{
    const QSize stored = reader.canRead() ? reader.storedSize() : QSize();
    if (!stored.isValid() || stored.isEmpty()) {
        if (why)
            *why = QStringLiteral("could not be read as an image");
        return false;
    }
    // Taken before the size check, which may move the device.
    d.format = reader.format();
    d.transformation = reader.transformation();
    d.size = swapsAxes(d.transformation) ? stored.transposed() : stored;
    if (qint64(stored.width()) * stored.height() <= Image::kMaxPixels)
        return true;
    if (streamed)
        return streams(*streamed, stored, why);
    if (why)
        *why = QStringLiteral("is too large: %1 x %2 pixels is over %3 megapixels")
                   .arg(stored.width())
                   .arg(stored.height())
                   .arg(Image::kMaxPixels / 1'000'000);
    return false;
}
} // namespace

Image Image::fromQImage(const QImage& pixels, qreal scale)
{
    Image img;
    if (pixels.isNull())
        return img;
    auto d = std::make_shared<Data>();
    d->pixels = pixels;
    d->size = pixels.size();
    d->scale = scale > 0 ? scale : 1.0;
    d->id = nextId++;
    img.m_data = d;
    return img;
}

Image Image::fromFile(const QString& path, qreal scale, QString* reason, Decoding decoding)
{
    auto d = std::make_shared<Data>();
    const auto file = InputFile::open(path, reason);
    if (!file)
        return {};
    UprightReader reader(file.get());
    if (!readHeader(reader, *d, reason, decoding == Decoding::RowByRow ? file.get() : nullptr))
        return {};
    d->path = path;
    d->scale = scale > 0 ? scale : 1.0;
    d->id = nextId++;
    Image img;
    img.m_data = d;
    return img;
}

Image Image::fromData(const QByteArray& bytes, qreal scale)
{
    auto d = std::make_shared<Data>();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    UprightReader reader(&buffer);
    if (!readHeader(reader, *d))
        return {};
    d->bytes = bytes;
    d->scale = scale > 0 ? scale : 1.0;
    d->id = nextId++;
    Image img;
    img.m_data = d;
    return img;
}

Image Image::lookup(quint64 id)
{
    QMutexLocker lock(&registryMutex);
    auto it = registry().find(id);
    if (it == registry().end())
        return {};
    Image img;
    img.m_data = std::static_pointer_cast<const Data>(it->second.lock());
    if (!img.m_data)
        registry().erase(it);
    return img;
}

bool Image::isNull() const
{
    return !m_data;
}
QSize Image::pixelSize() const
{
    return m_data ? m_data->size : QSize();
}
qreal Image::scale() const
{
    return m_data ? m_data->scale : 1.0;
}
QSizeF Image::size() const
{
    return m_data ? QSizeF(m_data->size) / m_data->scale : QSizeF();
}
bool Image::hasSource() const
{
    return m_data && m_data->pixels.isNull();
}
QString Image::sourcePath() const
{
    return m_data ? m_data->path : QString();
}
QByteArray Image::sourceFormat() const
{
    return hasSource() ? m_data->format : QByteArray();
}
quint64 Image::id() const
{
    return m_data ? m_data->id : 0;
}

QImageIOHandler::Transformations Image::transformation() const
{
    return m_data ? m_data->transformation : QImageIOHandler::TransformationNone;
}

QByteArray Image::sourceBytes() const
{
    if (!hasSource())
        return {};
    if (!m_data->path.isEmpty()) {
        return InputFile::read(m_data->path);
    }
    return m_data->bytes;
}

QImage Image::toQImage() const
{
    return toQImage(QSize());
}

QImage Image::toQImage(const QSize& bound) const
{
    if (!m_data)
        return {};
    const bool shrink = bound.isValid() && (m_data->size.width() > bound.width() ||
                                            m_data->size.height() > bound.height());
    const QSize target =
        shrink ? m_data->size.scaled(bound, Qt::KeepAspectRatio).expandedTo({1, 1}) : m_data->size;
    if (!m_data->pixels.isNull())
        return shrink ? m_data->pixels.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                      : m_data->pixels;
    // A large picture shrinks as its rows pass instead of being decoded whole first.
    if (shrink && RowScaler::suits(*this)) {
        if (QImage streamed = RowScaler::draw(*this, target); !streamed.isNull())
            return streamed;
    }

    QBuffer buffer;
    std::unique_ptr<QFile> file;
    QIODevice* device = &buffer;
    if (!m_data->path.isEmpty()) {
        file = InputFile::open(m_data->path);
        if (!file)
            return {};
        device = file.get();
    } else {
        buffer.setData(m_data->bytes);
        buffer.open(QIODevice::ReadOnly);
    }
    UprightReader reader(device);
    if (shrink)
        reader.setUprightScaledSize(target);
    return reader.read();
}

QUrl Image::url() const
{
    if (!m_data)
        return {};
    {
        QMutexLocker lock(&registryMutex);
        registry()[m_data->id] = m_data;
    }
    return {QStringLiteral("image://quire/%1").arg(m_data->id)};
}
