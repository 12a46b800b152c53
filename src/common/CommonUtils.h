#pragma once

#include "platform/Image.h"

#include <QSize>
#include <QUrl>

class PhotoLibrary;
struct PhotoAsset;

// Photo helpers shared by the screens: fetching a photo at a size, and grid thumbnails.
class CommonUtils
{
  public:
    // The photo fitted into width × height; the placeholder when the library gives none.
    [[nodiscard]] static Image fetchImage(PhotoLibrary& library, const PhotoAsset& asset, int width,
                                          int height);
    [[nodiscard]] static Image placeholderImage();

    // image://thumbs/<id>: the photo at path, decoded off the GUI thread at the size asked for.
    [[nodiscard]] static QUrl thumbnailUrl(const QString& path);
    [[nodiscard]] static QString pathOfThumbnailId(const QString& id);
    // The photo decoded so that it covers bound (never larger than it is), upright; cached.
    [[nodiscard]] static QImage thumbnail(const QString& path, const QSize& bound);
    static void clearThumbnailCache();
};
