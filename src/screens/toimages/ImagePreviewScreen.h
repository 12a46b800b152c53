// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "ui/Screen.h"

#include <QList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// The page gallery: one page per screen-filling item; view one, save all, share all, go home.
class ImagePreviewScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(
        QList<Image> arrOfImages READ arrOfImages WRITE setArrOfImages NOTIFY arrOfImagesChanged)
    Q_PROPERTY(Image selectedImage READ selectedImage NOTIFY selectedImageChanged)
    Q_PROPERTY(int index READ index NOTIFY indexChanged)
    // What the gallery's cells show: each page's image:// address, in page order.
    Q_PROPERTY(QList<QUrl> imageUrls READ imageUrls NOTIFY arrOfImagesChanged)
  public:
    explicit ImagePreviewScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QList<Image> arrOfImages() const { return m_arrOfImages; }
    void setArrOfImages(const QList<Image>& images);
    [[nodiscard]] Image selectedImage() const { return m_selectedImage; }
    [[nodiscard]] int index() const { return m_index; }
    [[nodiscard]] QList<QUrl> imageUrls() const;

    // Every item is exactly as large as the gallery's frame, so one page fills it.
    Q_INVOKABLE [[nodiscard]] static QSizeF sizeForItem(const QSizeF& frame) { return frame; }

    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void didSelectItem(int row);
    Q_INVOKABLE void btnShare();
    Q_INVOKABLE void btnSave();
    Q_INVOKABLE void btnHome();

  signals:
    void arrOfImagesChanged();
    void selectedImageChanged();
    void indexChanged();

  private:
    void setIndex(int index);

    QList<Image> m_arrOfImages;
    Image m_selectedImage;
    int m_index = 0;
};
