// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImagePreviewScreen.h"

#include "ui/SaveFlow.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"
#include "viewer/ViewImageScreen.h"

#include <QPointer>

ImagePreviewScreen::ImagePreviewScreen(Services& services, QObject* parent)
    : Screen(services, parent)
{
    setTitle(tr("Pages"));
}

void ImagePreviewScreen::setArrOfImages(const QList<Image>& images)
{
    m_arrOfImages = images;
    emit arrOfImagesChanged();
}

QList<QUrl> ImagePreviewScreen::imageUrls() const
{
    QList<QUrl> urls;
    urls.reserve(m_arrOfImages.size());
    for (const Image& image : m_arrOfImages)
        urls << image.url();
    return urls;
}

void ImagePreviewScreen::setIndex(int index)
{
    if (index == m_index)
        return;
    m_index = index;
    emit indexChanged();
}

void ImagePreviewScreen::didSelectItem(int row)
{
    if (row < 0 || row >= m_arrOfImages.size())
        return;
    m_selectedImage = m_arrOfImages.at(row);
    emit selectedImageChanged();
    performSegue(QStringLiteral("segue_viewImage"));
}

void ImagePreviewScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue == QLatin1String("segue_viewImage"))
        if (auto* viewer = qobject_cast<ViewImageScreen*>(destination))
            viewer->setSelectedImage(m_selectedImage);
}

void ImagePreviewScreen::btnShare()
{
    QList<ShareItem> items;
    for (const Image& image : m_arrOfImages)
        items << ShareItem::fromImage(image);
    services().share->present(items);
}

void ImagePreviewScreen::btnSave()
{
    setIndex(0);
    QPointer<ImagePreviewScreen> self(this);
    SaveFlow::saveAll(services(), this, {m_arrOfImages.begin(), m_arrOfImages.end()},
                      [self](int index) {
                          if (self)
                              self->setIndex(index);
                      });
}

void ImagePreviewScreen::btnHome()
{
    goHome();
}
