#pragma once

#include <QQuickImageProvider>

// Serves image://thumbs/<id>: photo thumbnails decoded at the requested size off the GUI thread.
class ThumbnailProvider : public QQuickImageProvider
{
  public:
    ThumbnailProvider()
        : QQuickImageProvider(QQuickImageProvider::Image,
                              QQmlImageProviderBase::ForceAsynchronousImageLoading)
    {
    }
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};
