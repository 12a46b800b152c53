// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "ui/Screen.h"

#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// The resize result: the new image, to save to the photo library or share.
class ResizeImagePreviewScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(
        Image croppedImage READ croppedImage WRITE setCroppedImage NOTIFY croppedImageChanged)
    Q_PROPERTY(QUrl ivImage READ ivImage NOTIFY croppedImageChanged)
    Q_PROPERTY(QString sizeText READ sizeText NOTIFY croppedImageChanged)
  public:
    explicit ResizeImagePreviewScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] Image croppedImage() const { return m_croppedImage; }
    void setCroppedImage(const Image& image);
    [[nodiscard]] QUrl ivImage() const { return m_croppedImage.url(); }
    // "1000 X 750": the pixel size of the result.
    [[nodiscard]] QString sizeText() const;

    Q_INVOKABLE void btnSave();
    Q_INVOKABLE void btnShare();
    Q_INVOKABLE void btnHome();

  signals:
    void croppedImageChanged();

  private:
    Image m_croppedImage;
};
