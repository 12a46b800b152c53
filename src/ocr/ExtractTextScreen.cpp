#include "ExtractTextScreen.h"

#include "TextExtraction.h"
#include "platform/Dispatcher.h"
#include "ui/Navigator.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"

#include <QDebug>
#include <QPointer>

namespace {
const QString kFailure = QStringLiteral("Something went wrong. Please try again later.");
}

ExtractTextScreen::ExtractTextScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(QStringLiteral("Extract Text"));
}

void ExtractTextScreen::setArrOfSelectedImages(const QList<Image>& images)
{
    m_arrOfSelectedImages = images;
    emit arrOfSelectedImagesChanged();
}

void ExtractTextScreen::viewDidLoad()
{
    m_ivImage = m_arrOfSelectedImages.value(0).url();
    emit ivImageChanged();
}

void ExtractTextScreen::btnBack()
{
    setArrOfSelectedImages({});
    popScreen();
}

void ExtractTextScreen::btnExtract()
{
    if (m_extracting)
        return;
    setExtracting(true);
    setTextFromImage({}); // each run starts afresh rather than appending to the last one
    Services& services = m_services;
    const Image image = m_arrOfSelectedImages.value(0);
    QPointer<ExtractTextScreen> self(this);
    services.dispatcher->background([&services, image, self] {
        services.overlay->show(QStringLiteral("Extracting Text..."));
        const TextExtraction result = TextExtraction::run(*services.recognizer, image);
        switch (result.outcome) {
        case TextExtraction::Read:
            break;
        case TextExtraction::NoBitmap:
            services.overlay->showInfo(kFailure);
            break;
        case TextExtraction::Failed:
        case TextExtraction::Unavailable:
            qWarning().noquote() << QStringLiteral("Unable to perform the requests: ") +
                                        result.error + QLatin1Char('.');
            // Missing language data is something the user can put right: say what it is.
            services.overlay->showInfo(result.outcome == TextExtraction::Unavailable ? result.error
                                                                                     : kFailure);
            break;
        }
        const bool read = result.outcome == TextExtraction::Read;
        services.dispatcher->async([&services, self, read, text = result.text] {
            if (read)
                services.overlay->dismiss();
            if (self)
                self->finish(text, read);
        });
    });
}

void ExtractTextScreen::finish(const QString& text, bool read)
{
    setExtracting(false);
    if (!read)
        return;
    setTextFromImage(text);
    if (m_services.navigator->top() == this)
        performSegue(QStringLiteral("segue_text"));
}

void ExtractTextScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue != QLatin1String("segue_text"))
        return;
    destination->setProperty("textFromImage", m_textFromImage);
    destination->setProperty("arrOfSelectedImages", QVariant::fromValue(m_arrOfSelectedImages));
}

void ExtractTextScreen::setExtracting(bool on)
{
    if (on == m_extracting)
        return;
    m_extracting = on;
    emit extractingChanged();
}

void ExtractTextScreen::setTextFromImage(const QString& text)
{
    if (text == m_textFromImage)
        return;
    m_textFromImage = text;
    emit textFromImageChanged();
}
