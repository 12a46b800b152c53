// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResizeImagePreviewScreen.h"

#include "platform/Dispatcher.h"
#include "platform/PhotoLibrary.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

ResizeImagePreviewScreen::ResizeImagePreviewScreen(Services& services, QObject* parent)
    : Screen(services, parent)
{
    setTitle(tr("Resized"));
}

void ResizeImagePreviewScreen::setCroppedImage(const Image& image)
{
    m_croppedImage = image;
    emit croppedImageChanged();
}

QString ResizeImagePreviewScreen::sizeText() const
{
    const QSize px = m_croppedImage.pixelSize();
    return m_croppedImage.isNull() ? QString()
                                   : QStringLiteral("%1 X %2").arg(px.width()).arg(px.height());
}

void ResizeImagePreviewScreen::btnSave()
{
    // No permission flow here: the save goes straight to the library. Its answer may come on any
    // thread; the overlay is told on the GUI thread, and only a save that worked says "Saved!".
    Services* s = &services();
    s->photos->save(m_croppedImage, [s](const QString& error) {
        s->dispatcher->async([s, error] {
            if (error.isEmpty())
                s->overlay->showSuccess(tr("Saved!"));
            else
                s->overlay->showInfo(tr("Not saved: %1").arg(error));
        });
    });
}

void ResizeImagePreviewScreen::btnShare()
{
    services().share->present({ShareItem::fromImage(m_croppedImage)});
}

void ResizeImagePreviewScreen::btnHome()
{
    goHome();
}
