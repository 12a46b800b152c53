// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQuickImageProvider>
#include <QThreadPool>

// Serves image://thumbs/<id>: photo thumbnails decoded at the requested size on a pool of its
// own, so a scrolling grid decodes on every core without waiting behind long jobs.
class ThumbnailProvider : public QQuickAsyncImageProvider
{
  public:
    ThumbnailProvider();
    QQuickImageResponse* requestImageResponse(const QString& id,
                                              const QSize& requestedSize) override;

  private:
    QThreadPool m_pool;
};
