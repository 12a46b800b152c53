// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExtractTextScreen.h"

#include "TextScreen.h"
#include "ocr/TextExtraction.h"
#include "platform/Dispatcher.h"
#include "ui/Navigator.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"

#include <QDebug>

namespace {
const char* const kFailure =
    QT_TRANSLATE_NOOP("ExtractTextScreen", "Something went wrong. Please try again later.");
}

ExtractTextScreen::ExtractTextScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Extract Text"));
    connect(&m_job, &Job::stateChanged, this, &ExtractTextScreen::extractingChanged);
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
    TextRecognizer* recognizer = services().recognizer;
    const Image image = m_arrOfSelectedImages.value(0);
    m_job.run(
        tr("Extracting Text..."),
        [recognizer, image](JobControl& job) {
            job.setTotal(1);
            TextExtraction result = TextExtraction::run(*recognizer, image);
            job.advance();
            if (result.outcome == TextExtraction::Failed ||
                result.outcome == TextExtraction::Unavailable)
                qWarning().noquote() << QStringLiteral("Unable to perform the requests: ") +
                                            result.error + QLatin1Char('.');
            return result;
        },
        [this](const TextExtraction& result) { finish(result); });
}

void ExtractTextScreen::finish(const TextExtraction& result)
{
    if (result.outcome != TextExtraction::Read) {
        // Missing language data is something the user can put right: say what it is.
        const QString info =
            result.outcome == TextExtraction::Unavailable ? result.error : tr(kFailure);
        m_job.fail(info);
        services().overlay->showInfo(info);
        return;
    }
    // Each run starts afresh rather than appending to the last one.
    setTextFromImage(result.text);
    if (services().navigator->top() == this)
        performSegue(QStringLiteral("segue_text"));
}

void ExtractTextScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue != QLatin1String("segue_text"))
        return;
    if (auto* text = qobject_cast<TextScreen*>(destination)) {
        text->setTextFromImage(m_textFromImage);
        text->setArrOfSelectedImages(m_arrOfSelectedImages);
    }
}

void ExtractTextScreen::setTextFromImage(const QString& text)
{
    if (text == m_textFromImage)
        return;
    m_textFromImage = text;
    emit textFromImageChanged();
}
