// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewImageScreen.h"

#include "ui/SaveFlow.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

ViewImageScreen::ViewImageScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Image"));
}

void ViewImageScreen::setSelectedImage(const Image& image)
{
    if (image == m_selectedImage)
        return;
    m_selectedImage = image;
    emit selectedImageChanged();
}

void ViewImageScreen::viewDidLoad()
{
    // Shown once; a later change of the selected image does not replace it.
    m_shown = m_selectedImage;
    m_ivImage = m_shown.url();
    emit ivImageChanged();
}

void ViewImageScreen::btnBack()
{
    popScreen();
}

void ViewImageScreen::btnShare()
{
    // An image that no longer decodes has nothing to offer.
    if (m_selectedImage.isNull())
        return;
    services().share->present({ShareItem::fromImage(m_selectedImage)});
}

void ViewImageScreen::btnSave()
{
    SaveFlow::saveOne(services(), this, m_selectedImage);
}
