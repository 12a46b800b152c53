// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QQuickImageProvider>

// Serves image://pdfpage/<page>/<path in hex> at the requested size, drawn by the PDF helper
// processes off the GUI thread.
class PdfPageProvider : public QQuickImageProvider
{
  public:
    PdfPageProvider()
        : QQuickImageProvider(QQuickImageProvider::Image,
                              QQmlImageProviderBase::ForceAsynchronousImageLoading)
    {
    }
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};
