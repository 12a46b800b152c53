// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageToPDFScreen.h"

#include "common/JobControl.h"
#include "ocr/RecognitionLanguages.h"
#include "platform/Clock.h"
#include "platform/Dispatcher.h"
#include "platform/UserDefaults.h"
#include "topdf/PdfWriter.h"
#include "topdf/TextLayers.h"
#include "ui/AlertCenter.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"
#include "viewer/PDFPreviewScreen.h"

#include <QTemporaryDir>

#include <cmath>

namespace {
const QString kPaperKey = QStringLiteral("pdfPaperSize");
const QString kMarginKey = QStringLiteral("pdfMarginMm");
const QString kSearchableKey = QStringLiteral("pdfSearchable");

// Reads the text of the pages into layers for options, reporting to job; empty when done (or
// cancelled), else why not.
QString addTextLayers(const QList<Image>& images, const QString& language,
                      const QTemporaryDir& folder, JobControl& job, PdfWriter::Options& options)
{
    const TextLayers::Result layers = TextLayers::make(images, language, folder.path(), job);
    if (layers.ok())
        options.overlays = layers.files;
    return layers.ok() ? QString() : layers.error;
}
} // namespace

ImageToPDFScreen::ImageToPDFScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Images to PDF"));
    if (services.defaults) {
        m_setup.paper = PageSetup::fromKey(services.defaults->value(kPaperKey).toString())
                            .value_or(PageSetup::Paper::Photo);
        bool ok = false;
        const qreal margin = services.defaults->value(kMarginKey).toReal(&ok);
        if (ok && margin >= 0)
            m_setup.marginMm = margin;
        m_searchable = services.defaults->value(kSearchableKey).toBool();
    }
}

void ImageToPDFScreen::setSearchable(bool on)
{
    if (on == m_searchable)
        return;
    m_searchable = on;
    rememberSetup();
}

void ImageToPDFScreen::setPaperSize(const QString& key)
{
    const auto paper = PageSetup::fromKey(key);
    if (!paper || *paper == m_setup.paper)
        return;
    m_setup.paper = *paper;
    rememberSetup();
}

void ImageToPDFScreen::setMarginMm(qreal mm)
{
    PageSetup next = m_setup;
    next.marginMm = mm;
    if (qFuzzyCompare(mm + 1, m_setup.marginMm + 1) || !next.marginFits() ||
        !PageSetup{PageSetup::Paper::A4, mm}.marginFits())
        return;
    m_setup = next;
    rememberSetup();
}

void ImageToPDFScreen::rememberSetup()
{
    if (services().defaults) {
        services().defaults->setValue(kPaperKey, PageSetup::key(m_setup.paper));
        services().defaults->setValue(kMarginKey, m_setup.marginMm);
        services().defaults->setValue(kSearchableKey, m_searchable);
        services().defaults->synchronize();
    }
    emit pageSetupChanged();
}

void ImageToPDFScreen::movePage(int from, int to)
{
    const auto n = m_arrOfSelectedImages.size();
    if (from < 0 || from >= n || to < 0 || to >= n || from == to)
        return;
    m_arrOfSelectedImages.move(from, to);
    emit arrOfSelectedImagesChanged();
}

void ImageToPDFScreen::removePage(int index)
{
    if (index < 0 || index >= m_arrOfSelectedImages.size())
        return;
    m_arrOfSelectedImages.removeAt(index);
    emit arrOfSelectedImagesChanged();
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
        if (auto* viewer = qobject_cast<PDFPreviewScreen*>(destination)) {
            viewer->setPdfFilePath(m_pdfFilePath);
            viewer->setIsFromHistory(false);
        }
    }
}

void ImageToPDFScreen::btnBack()
{
    setArrOfSelectedImages({});
    popScreen();
}

void ImageToPDFScreen::btnConvert()
{
    if (canConvert())
        convertImagesToPDF();
}

void ImageToPDFScreen::convertImagesToPDF()
{
    Services& s = services();
    if (const QString error = m_protection.error(); !error.isEmpty()) {
        s.alerts->present({tr("PDF Not Saved"), error, {{tr("OK"), {}}}});
        return;
    }
    PdfWriter::Options options;
    options.setup = m_setup;
    options.password = m_protection.password();
    const QString language =
        m_searchable ? (s.languages ? s.languages->chosen() : QStringLiteral("eng")) : QString();
    const auto work = [&s, images = m_arrOfSelectedImages, options,
                       language](JobControl& job) mutable {
        const auto stem = qint64(std::trunc(s.clock->now()));
        const QTemporaryDir layers;
        if (!language.isEmpty()) {
            job.beginStage(int(images.size()), tr("Reading the text of the pages"));
            HistoryStore::Written failed;
            failed.error = addTextLayers(images, language, layers, job, options);
            if (!failed.ok() || job.isCancelled())
                return failed;
            job.beginStage(int(images.size()), tr("Writing the pages"));
        }
        return writePDF(*s.history, stem, images, &job, options);
    };
    m_job.run(tr("Converting..."), work, [this](const HistoryStore::Written& written) {
        Services& s = services();
        if (!written.ok()) {
            // Nothing was listed; say why rather than open a viewer on no file.
            m_job.fail(written.error);
            s.alerts->present({tr("PDF Not Saved"),
                               tr("The PDF could not be saved: %1").arg(written.error),
                               {{tr("OK"), {}}}});
            return;
        }
        m_pdfFilePath = written.path;
        emit pdfFilePathChanged();
        performSegue(QStringLiteral("segue_PDF"));
    });
}
