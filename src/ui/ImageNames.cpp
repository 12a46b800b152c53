// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageNames.h"

#include "image/Image.h"

#include <QFileInfo>

QString ImageNames::fileName(const QUrl& url)
{
    if (url.isLocalFile())
        return url.fileName();
    if (url.scheme() != QLatin1String("image") || url.host() != QLatin1String("quire"))
        return {};
    bool ok = false;
    const quint64 id = url.path().mid(1).toULongLong(&ok);
    const Image image = ok ? Image::lookup(id) : Image();
    return image.hasSource() ? QFileInfo(image.sourcePath()).fileName() : QString();
}
