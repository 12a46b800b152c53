#include "ImageToPDFScreen.h"

#include "PdfWriter.h"
#include "platform/Clock.h"
#include "platform/Dispatcher.h"
#include "ui/AlertCenter.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"

#include <cmath>

ImageToPDFScreen::ImageToPDFScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(QStringLiteral("Images to PDF"));
}

void ImageToPDFScreen::setArrOfSelectedImages(const QList<Image>& images)
{
    m_arrOfSelectedImages = images;
    emit arrOfSelectedImagesChanged();
}

QList<QUrl> ImageToPDFScreen::pageImages() const
{
    QList<QUrl> urls;
    urls.reserve(m_arrOfSelectedImages.size());
    for (const Image& image : m_arrOfSelectedImages)
        urls.append(image.url());
    return urls;
}

void ImageToPDFScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue == QLatin1String("segue_PDF")) {
        destination->setProperty("pdfFilePath", m_pdfFilePath);
        destination->setProperty("isFromHistory", false);
    }
}

void ImageToPDFScreen::btnBack()
{
    setArrOfSelectedImages({});
    popScreen();
}

void ImageToPDFScreen::btnConvert()
{
    convertImagesToPDF();
}

void ImageToPDFScreen::convertImagesToPDF()
{
    Services& s = m_services;
    const auto work = [&s, images = m_arrOfSelectedImages](JobControl& job) {
        const auto stem = qint64(std::trunc(s.clock->now()));
        return writePDF(*s.history, stem, images, &job);
    };
    m_job.run(QStringLiteral("Converting..."), work, [this](const HistoryStore::Written& written) {
        Services& s = m_services;
        if (!written.ok()) {
            // Nothing was listed; say why rather than open a viewer on no file.
            m_job.fail(written.error);
            s.alerts->present({QStringLiteral("PDF Not Saved"),
                               QStringLiteral("The PDF could not be saved: %1").arg(written.error),
                               {{QStringLiteral("OK"), {}}}});
            return;
        }
        m_pdfFilePath = written.path;
        emit pdfFilePathChanged();
        performSegue(QStringLiteral("segue_PDF"));
    });
}
