// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixtures.h"

#include "support/PhotoFixtures.h"

#include <QFile>
#include <QPainter>
#include <QTest>

namespace fixtures {

QImage photo(int width, int height, QColor tint)
{
    return photofixtures::picture(width, height, tint);
}

bool writeJpeg(const QImage& image, const QString& path, int orientation, int quality)
{
    return photofixtures::writePhoto(path, image, {}, orientation, quality);
}

QImage textPage(const QStringList& lines, int minHeight)
{
    QImage image(1000, std::max(minHeight, 80 + 100 * int(lines.size())), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    useTextFont(painter, 52);
    for (int i = 0; i < lines.size(); ++i)
        painter.drawText(50, 110 + 100 * i, lines[i]);
    return image;
}

void useTextFont(QPainter& painter, int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    painter.setPen(Qt::black);
}

bool cornerIsRed(const QImage& image)
{
    const QColor c = image.pixelColor(image.width() / 16, image.height() / 16);
    return c.red() > 160 && c.green() < 100 && c.blue() < 100;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    return QTest::qWaitFor(done, timeoutMs);
}

} // namespace fixtures
