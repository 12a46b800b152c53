// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Thumbnails.h"

#include "UprightReader.h"
#include "common/InputFile.h"

#include <QCache>
#include <QMutex>

namespace {
QMutex cacheMutex;
// Decoded thumbnails, costed in KB: about 64 MB, a few screenfuls of a large grid.
QCache<QString, QImage>& cache()
{
    static QCache<QString, QImage> c(qsizetype(64) * 1024);
    return c;
}

QImage decodeCovering(const QString& path, const QSize& bound)
{
    const auto file = InputFile::open(path);
    if (!file)
        return {};
    UprightReader reader(file.get());
    const QSize stored = reader.storedSize();
    if (!stored.isValid() || stored.isEmpty())
        return {};
    const bool swaps = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize upright = swaps ? stored.transposed() : stored;
    if (bound.isValid() && !bound.isEmpty()) {
        const QSize target = upright.scaled(bound, Qt::KeepAspectRatioByExpanding);
        // Scaled while decoding (JPEG decodes straight at a fraction of its size).
        if (target.width() < upright.width())
            reader.setUprightScaledSize(target);
    }
    return reader.read();
}
} // namespace

QUrl Thumbnails::url(const QString& path)
{
    const QByteArray id =
        path.toUtf8().toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    return {QStringLiteral("image://thumbs/") + QString::fromLatin1(id)};
}

QString Thumbnails::pathOfId(const QString& id)
{
    return QString::fromUtf8(QByteArray::fromBase64(id.toLatin1(), QByteArray::Base64UrlEncoding));
}

QImage Thumbnails::image(const QString& path, const QSize& bound)
{
    const QString key = QStringLiteral("%1x%2:%3").arg(bound.width()).arg(bound.height()).arg(path);
    {
        QMutexLocker lock(&cacheMutex);
        if (const QImage* hit = cache().object(key))
            return *hit;
    }
    const QImage decoded = decodeCovering(path, bound);
    if (!decoded.isNull()) {
        QMutexLocker lock(&cacheMutex);
        cache().insert(key, new QImage(decoded), qMax<qsizetype>(1, decoded.sizeInBytes() / 1024));
    }
    return decoded;
}

void Thumbnails::clearCache()
{
    QMutexLocker lock(&cacheMutex);
    cache().clear();
}
