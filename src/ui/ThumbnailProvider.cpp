// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThumbnailProvider.h"

#include "image/Thumbnails.h"

#include <QRunnable>

namespace {
// One thumbnail on its way: decoded on the pool, handed to the view when done.
class ThumbnailResponse : public QQuickImageResponse, public QRunnable
{
  public:
    ThumbnailResponse(QString path, QSize bound) : m_path(std::move(path)), m_bound(bound)
    {
        setAutoDelete(false); // the view deletes the response
    }
    void run() override
    {
        m_image = Thumbnails::image(m_path, m_bound);
        emit finished();
    }
    [[nodiscard]] QQuickTextureFactory* textureFactory() const override
    {
        return QQuickTextureFactory::textureFactoryForImage(m_image);
    }
    [[nodiscard]] QString errorString() const override
    {
        return m_image.isNull() ? QStringLiteral("Cannot read %1").arg(m_path) : QString();
    }

  private:
    QString m_path;
    QSize m_bound;
    QImage m_image;
};
} // namespace

ThumbnailProvider::ThumbnailProvider()
{
    m_pool.setMaxThreadCount(qMax(2, QThread::idealThreadCount()));
}

QQuickImageResponse* ThumbnailProvider::requestImageResponse(const QString& id,
                                                             const QSize& requestedSize)
{
    QSize bound = requestedSize;
    if (!bound.isValid() || bound.isEmpty())
        bound = QSize(300, 300);
    auto* response = new ThumbnailResponse(Thumbnails::pathOfId(id), bound);
    m_pool.start(response);
    return response;
}
