#include "ResizeImagePreviewScreen.h"

#include "platform/Dispatcher.h"
#include "platform/PhotoLibrary.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

ResizeImagePreviewScreen::ResizeImagePreviewScreen(Services& services, QObject* parent)
    : Screen(services, parent)
{
    setTitle(QStringLiteral("Resized"));
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
    Services* services = &m_services;
    m_services.photos->save(m_croppedImage, [services](const QString& error) {
        services->dispatcher->async([services, error] {
            if (error.isEmpty())
                services->overlay->showSuccess(QStringLiteral("Saved!"));
            else
                services->overlay->showInfo(QStringLiteral("Not saved: %1").arg(error));
        });
    });
}

void ResizeImagePreviewScreen::btnShare()
{
    m_services.share->present({ShareItem::fromImage(m_croppedImage)});
}

void ResizeImagePreviewScreen::btnHome()
{
    goHome();
}
