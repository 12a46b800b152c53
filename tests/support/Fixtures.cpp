// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fixtures.h"

#include "support/PhotoFixtures.h"

#include <QFile>
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
