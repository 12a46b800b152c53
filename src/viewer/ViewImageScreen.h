// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "ui/Screen.h"

#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// Shows one image, alone, to save or share.
class ViewImageScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(
        Image selectedImage READ selectedImage WRITE setSelectedImage NOTIFY selectedImageChanged)
    // What the image view shows: the image as it was when the screen loaded.
    Q_PROPERTY(QUrl ivImage READ ivImage NOTIFY ivImageChanged)
    Q_PROPERTY(QSizeF imageSize READ imageSize NOTIFY ivImageChanged)
  public:
    explicit ViewImageScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] Image selectedImage() const { return m_selectedImage; }
    void setSelectedImage(const Image& image);
    [[nodiscard]] QUrl ivImage() const { return m_ivImage; }
    [[nodiscard]] QSizeF imageSize() const { return m_shown.size(); }

    void viewDidLoad() override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnShare();
    Q_INVOKABLE void btnSave();

  signals:
    void selectedImageChanged();
    void ivImageChanged();

  private:
    Image m_selectedImage;
    Image m_shown;
    QUrl m_ivImage;
};
