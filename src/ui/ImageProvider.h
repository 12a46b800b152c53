// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQuickImageProvider>

// Serves image://quire/<id> from Image handles, decoded at the requested size off the GUI thread.
class ImageProvider : public QQuickImageProvider
{
  public:
    ImageProvider()
        : QQuickImageProvider(QQuickImageProvider::Image,
                              QQmlImageProviderBase::ForceAsynchronousImageLoading)
    {
    }
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};
