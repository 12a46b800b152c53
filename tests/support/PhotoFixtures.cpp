// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoFixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTransform>

namespace photofixtures {
namespace {
void put16(QByteArray& b, int v)
{
    b += char((v >> 8) & 0xff);
    b += char(v & 0xff);
}
void put32(QByteArray& b, quint32 v)
{
    put16(b, int(v >> 16));
    put16(b, int(v & 0xffff));
}
void entry(QByteArray& b, int tag, int type, quint32 count, quint32 value)
{
    put16(b, tag);
    put16(b, type);
    put32(b, count);
    put32(b, value);
}

} // namespace

QByteArray exifTiff(const QDateTime& taken, int orientation)
{
    QByteArray tiff("MM\x00\x2a\x00\x00\x00\x08", 8);
    put16(tiff, taken.isValid() ? 2 : 1);
    entry(tiff, 0x0112, 3, 1, quint32(orientation) << 16); // SHORT, left-aligned
    if (taken.isValid()) {
        entry(tiff, 0x8769, 4, 1, 38); // Exif IFD right after IFD0
        put32(tiff, 0);
        put16(tiff, 1);
        entry(tiff, 0x9003, 2, 20, 56);
        put32(tiff, 0);
        QByteArray when = taken.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toLatin1();
        when += QByteArray(qMax(0, 20 - int(when.size())), '\0');
        tiff += when;
    } else {
        put32(tiff, 0);
    }
    return tiff;
}

namespace {
QByteArray exifSegment(const QDateTime& taken, int orientation)
{
    const QByteArray payload = QByteArray("Exif\0\0", 6) + exifTiff(taken, orientation);
    QByteArray seg("\xff\xe1", 2);
    put16(seg, int(payload.size() + 2));
    return seg + payload;
}
} // namespace

QImage paperOnTable(QSize frame, const QPolygonF& page)
{
    QImage sheet(600, 800, QImage::Format_RGB32);
    sheet.fill(QColor(248, 247, 240));
    QPainter text(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(22);
    text.setFont(font);
    text.setPen(QColor(30, 30, 40));
    for (int y = 90; y < 720; y += 40)
        text.drawText(60, y, QStringLiteral("Paid in full, with thanks: 12.50"));
    text.end();
    QImage photo(frame, QImage::Format_RGB32);
    photo.fill(QColor(70, 55, 45));
    QTransform onTable;
    const QPolygonF flat(QRectF(0, 0, sheet.width(), sheet.height()));
    QTransform::quadToQuad(flat.mid(0, 4), page, onTable);
    QPainter p(&photo);
    p.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::Antialiasing);
    p.setTransform(onTable);
    p.drawImage(0, 0, sheet);
    return photo;
}

QImage picture(int width, int height, QColor tint)
{
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, width, height);
    g.setColorAt(0, tint);
    g.setColorAt(1, tint.lighter(170));
    p.fillRect(img.rect(), g);
    p.fillRect(QRect(0, 0, qMax(1, width / 4), qMax(1, height / 4)), Qt::red);
    return img;
}

bool writePhoto(const QString& path, const QImage& image, const QDateTime& taken, int orientation,
                int quality)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    if (!image.save(&buf, "JPEG", quality))
        return false;
    if (taken.isValid() || orientation > 1)
        bytes = withExif(bytes, taken, orientation);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray withExif(const QByteArray& jpeg, const QDateTime& taken, int orientation)
{
    QByteArray out = jpeg;
    out.insert(2, exifSegment(taken, qBound(1, orientation, 8)));
    return out;
}

bool touch(const QString& path, const QDateTime& when)
{
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(when, QFileDevice::FileModificationTime);
}
} // namespace photofixtures
