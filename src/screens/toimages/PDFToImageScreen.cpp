// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PDFToImageScreen.h"

#include "ImagePreviewScreen.h"
#include "common/JobControl.h"
#include "history/HistoryStore.h"
#include "platform/Clock.h"
#include "platform/Dispatcher.h"
#include "ui/AlertCenter.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
void alert(Services& services, const QString& message)
{
    services.alerts->present(
        Alert{QCoreApplication::translate("PDFToImageScreen", "PDF to Images"),
              message,
              {{QCoreApplication::translate("PDFToImageScreen", "OK"), nullptr}}});
}

// What the user is told about pages that did not make it; empty when all did.
QString shortfall(const PageRenderer::Result& r)
{
    QStringList parts;
    if (r.failedPages > 0) {
        QStringList which;
        for (const PageRenderer::Failure& f : r.failures)
            if (which.size() < 5)
                which << QCoreApplication::translate("PDFToImageScreen", "page %1: %2")
                             .arg(f.page + 1)
                             .arg(f.reason);
        if (r.failures.size() > 5)
            which << QStringLiteral("...");
        parts << QCoreApplication::translate("PDFToImageScreen",
                                             "%1 of %2 pages could not be converted%3.")
                     .arg(r.failedPages)
                     .arg(r.pageCount)
                     .arg(which.isEmpty() ? QString()
                                          : QStringLiteral(" (%1)").arg(which.join("; ")));
    }
    if (r.unsavedPages > 0)
        parts << QCoreApplication::translate("PDFToImageScreen",
                                             "%1 of %2 pages could not be written: %3.")
                     .arg(r.unsavedPages)
                     .arg(r.pageCount)
                     .arg(r.unsavedReason);
    return parts.join(QLatin1Char(' '));
}
} // namespace

PDFToImageScreen::PDFToImageScreen(Services& services, QObject* parent) : Screen(services, parent)
{
}

PDFToImageScreen::~PDFToImageScreen() = default;

void PDFToImageScreen::setPdfFilePath(const QString& path)
{
    if (path == m_pdfFilePath)
        return;
    m_pdfFilePath = path;
    emit pdfFilePathChanged();
}

QUrl PDFToImageScreen::documentUrl() const
{
    return m_pdfFilePath.isEmpty() || !m_opened ? QUrl() : QUrl::fromLocalFile(m_pdfFilePath);
}

void PDFToImageScreen::setResolution(int dpi)
{
    if (dpi == m_resolution || !resolutions().contains(dpi))
        return;
    m_resolution = dpi;
    emit optionsChanged();
}

void PDFToImageScreen::setPageRange(const QString& text)
{
    if (text == m_pageRange)
        return;
    m_pageRange = text;
    m_pageRangeError.clear();
    PageRange::parse(text, &m_pageRangeError);
    emit optionsChanged();
}

void PDFToImageScreen::viewDidLoad()
{
    setTitle(QFileInfo(m_pdfFilePath).fileName());
    m_prompt.ask(
        m_pdfFilePath,
        [this](const QByteArray& password) {
            m_password = password;
            m_opened = true;
            emit pdfFilePathChanged();
        },
        [this] { btnBack(); });
}

void PDFToImageScreen::setImages(QList<Image> images)
{
    m_arrOfImages = std::move(images);
    emit arrOfImagesChanged();
}

void PDFToImageScreen::btnBack()
{
    setImages({});
    popScreen();
}

void PDFToImageScreen::btnConvert()
{
    const auto range = PageRange::parse(m_pageRange);
    if (!range) {
        alert(services(), m_pageRangeError);
        return;
    }
    const auto firstStem = static_cast<qint64>(services().clock->now()); // cut toward zero
    HistoryStore* history = services().history;
    const QString path = m_pdfFilePath;
    PageRenderer::Options options;
    options.scale = m_resolution > 0 ? PageRenderer::Options::scaleForDpi(m_resolution)
                                     : PageRenderer::displayScale();
    options.pages = *range;
    options.password = m_password;
    m_job.run(
        tr("Converting..."),
        [history, path, firstStem, options](JobControl& job) {
            PageRenderer renderer(*history, options);
            return renderer.render(path, firstStem, job);
        },
        [this](const PageRenderer::Result& result) { finishConversion(result); });
}

void PDFToImageScreen::finishConversion(const PageRenderer::Result& result)
{
    m_imgPath = services().history->historyPath();
    emit imgPathChanged();
    if (!result.opened) {
        const QString unopened =
            result.openError.isEmpty()
                ? tr("The PDF could not be opened. It may be damaged, or protected "
                     "by a password.")
                : tr("The PDF could not be opened: %1.").arg(result.openError);
        m_job.fail(unopened);
        alert(services(), unopened);
        return;
    }
    if (result.pageCount == 0) { // an empty gallery would look like success
        alert(services(), tr("The PDF has no pages."));
        return;
    }
    if (const QString error = result.rangeError(); !error.isEmpty()) {
        m_job.fail(error);
        alert(services(), error);
        return;
    }
    setImages(QList<Image>(result.images.begin(), result.images.end()));
    const QString missing = shortfall(result);
    // Nothing to show when every page failed.
    if (result.images.empty()) {
        alert(services(), missing);
        return;
    }
    performSegue(QStringLiteral("segue_imagePreview"));
    if (!missing.isEmpty())
        alert(services(), missing);
}

void PDFToImageScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue == QLatin1String("segue_imagePreview"))
        if (auto* preview = qobject_cast<ImagePreviewScreen*>(destination))
            preview->setArrOfImages(m_arrOfImages);
}
