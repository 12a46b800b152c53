// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExtractTextScreen.h"

#include "TextScreen.h"
#include "common/Logging.h"
#include "ocr/RecognitionLanguages.h"
#include "ocr/TextExtraction.h"
#include "pdfocr/SearchablePdf.h"
#include "platform/Dispatcher.h"
#include "ui/AlertCenter.h"
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

void ExtractTextScreen::setPdf(const QString& path)
{
    m_pdfFilePath = path;
    m_password.clear();
    emit pdfFilePathChanged();
}

void ExtractTextScreen::setForceOcr(bool on)
{
    if (on == m_forceOcr)
        return;
    m_forceOcr = on;
    emit forceOcrChanged();
}

void ExtractTextScreen::btnExtract()
{
    if (!m_pdfFilePath.isEmpty()) {
        if (m_job.running() || m_prompt.asking())
            return;
        // Backing out of the password leaves the screen as it was.
        m_prompt.ask(
            m_pdfFilePath, [this](const QByteArray& password) { extractPdf(password); }, {},
            m_password);
        return;
    }
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

void ExtractTextScreen::extractPdf(const QByteArray& password)
{
    m_password = password;
    const Services& s = services();
    SearchablePdf::Options options;
    options.reading.password = password;
    options.force = m_forceOcr;
    options.ownText = true; // pages with text keep theirs; the layers are kept for saving
    if (s.languages) {
        options.reading.language = s.languages->chosen();
        options.reading.dataPath = s.languages->dataPath();
    }
    m_job.run(
        tr("Extracting Text..."),
        [path = m_pdfFilePath, options](JobControl& job) {
            auto pdf = std::make_shared<SearchablePdf>();
            if (!pdf->make(path, options, job) && !pdf->cancelled())
                qCWarning(lcOcr) << "Unable to read" << path << pdf->error();
            return pdf;
        },
        [this](const std::shared_ptr<SearchablePdf>& pdf) { finishPdf(pdf); });
}

void ExtractTextScreen::finishPdf(const std::shared_ptr<SearchablePdf>& pdf)
{
    if (!pdf->error().isEmpty()) {
        const PdfPassword::Lock lock = pdf->pdf().lock();
        const QString message =
            lock == PdfPassword::Lock::Needed || lock == PdfPassword::Lock::Wrong
                ? tr("This PDF is protected by a password. Quire cannot read it without one.")
            : lock == PdfPassword::Lock::Unreadable
                ? tr("This PDF could not be opened. It may be damaged.")
                : tr("The text of this PDF could not be read: %1").arg(pdf->error());
        m_job.fail(message);
        services().alerts->present({tr("Extract Text"), message, {{tr("OK"), {}}}});
        return;
    }
    m_pdf = pdf;
    // Pages are told apart as the command-line tool prints them: a form feed between pages.
    setTextFromImage(pdf->texts().join(QLatin1Char('\f')));
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
        if (!m_pdfFilePath.isEmpty())
            text->setSearchablePdf(m_pdf);
    }
}

void ExtractTextScreen::setTextFromImage(const QString& text)
{
    if (text == m_textFromImage)
        return;
    m_textFromImage = text;
    emit textFromImageChanged();
}
