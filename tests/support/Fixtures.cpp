#include "Fixtures.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTest>

namespace fixtures {

QImage photo(int width, int height, QColor tint)
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

namespace {
// A minimal APP1 Exif segment holding only the orientation tag (big-endian TIFF).
QByteArray exifOrientation(int orientation)
{
    QByteArray tiff("MM\x00\x2a\x00\x00\x00\x08", 8);
    tiff += QByteArray("\x00\x01", 2);         // one entry
    tiff += QByteArray("\x01\x12\x00\x03", 4); // Orientation, SHORT
    tiff += QByteArray("\x00\x00\x00\x01", 4); // count 1
    tiff += char(0) + QByteArray(1, char(orientation)) + QByteArray(2, '\0');
    tiff += QByteArray(4, '\0'); // no next IFD
    QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    const int len = payload.size() + 2;
    QByteArray seg("\xff\xe1", 2);
    seg += char(len >> 8);
    seg += char(len & 0xff);
    return seg + payload;
}
} // namespace

bool writeJpeg(const QImage& image, const QString& path, int orientation, int quality)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    if (!image.save(&buf, "JPEG", quality))
        return false;
    if (orientation > 1)
        bytes.insert(2, exifOrientation(orientation)); // right after SOI
    return writeFile(path, bytes);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    return QTest::qWaitFor(done, timeoutMs);
}

} // namespace fixtures
