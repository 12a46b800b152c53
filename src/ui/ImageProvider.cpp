// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageProvider.h"

#include "image/Image.h"

QImage ImageProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize)
{
    const ::Image image = ::Image::lookup(id.section(QLatin1Char('/'), 0, 0).toULongLong());
    QSize bound = requestedSize;
    // A zero side means "any": keep the proportion from the other side.
    if (bound.width() <= 0 && bound.height() > 0)
        bound.setWidth(1 << 20);
    if (bound.height() <= 0 && bound.width() > 0)
        bound.setHeight(1 << 20);
    const QImage out = image.toQImage(bound.isValid() && !bound.isEmpty() ? bound : QSize());
    if (size)
        *size = out.size();
    return out;
}
