// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPageProvider.h"

#include "pdfworker/PdfWorkerPool.h"

QImage PdfPageProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize)
{
    const int page = id.section(QLatin1Char('/'), 0, 0).toInt();
    const QString path =
        QString::fromUtf8(QByteArray::fromHex(id.section(QLatin1Char('/'), 1).toLatin1()));
    // Without a size asked for, a page about as wide as a phone's screen.
    QSize bound = requestedSize;
    if (bound.width() <= 0)
        bound.setWidth(bound.height() > 0 ? 1 << 14 : 1024);
    if (bound.height() <= 0)
        bound.setHeight(1 << 14);
    const QImage image = PdfWorkerPool::shared().draw(path, page, bound);
    if (size)
        *size = image.size();
    return image;
}
