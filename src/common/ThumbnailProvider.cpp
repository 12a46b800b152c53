#include "ThumbnailProvider.h"

#include "CommonUtils.h"

QImage ThumbnailProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize)
{
    QSize bound = requestedSize;
    if (!bound.isValid() || bound.isEmpty())
        bound = QSize(300, 300);
    const QImage out = CommonUtils::thumbnail(CommonUtils::pathOfThumbnailId(id), bound);
    if (size)
        *size = out.size();
    return out;
}
