// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompressPDFPreviewScreen.h"

#include "history/SizeLabel.h"
#include "pdfworker/PdfWorkerPool.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"
#include "viewer/PDFPreviewScreen.h"

#include <QFile>
#include <QFileInfo>

CompressPDFPreviewScreen::CompressPDFPreviewScreen(Services& services, QObject* parent)
    : Screen(services, parent)
{
    setTitle(tr("Compressed PDF"));
}

CompressPDFPreviewScreen::~CompressPDFPreviewScreen()
{
    if (m_unlocked)
        PdfWorkerPool::shared().forget(m_pdfFilePath);
}

void CompressPDFPreviewScreen::show(const QString& path, const PdfShrinker::Result& result,
                                    const QByteArray& password)
{
    m_pdfFilePath = path;
    m_sizeBefore = result.inputBytes;
    m_sizeAfter = QFileInfo(path).size();
    m_pageCount = result.pages;
    m_quality = result.quality;
    m_imagesChanged = result.imagesChanged;
    // The pages below are drawn by the helpers, which need the password of a protected result.
    m_unlocked = !password.isEmpty();
    if (m_unlocked)
        PdfWorkerPool::shared().unlock(path, password);
    emit resultChanged();
}

QUrl CompressPDFPreviewScreen::documentUrl() const
{
    return m_pdfFilePath.isEmpty() ? QUrl() : QUrl::fromLocalFile(m_pdfFilePath);
}

QString CompressPDFPreviewScreen::sizesText() const
{
    return QStringLiteral("%1 → %2").arg(sizeLabel(m_sizeBefore), sizeLabel(m_sizeAfter));
}

QString CompressPDFPreviewScreen::detailText() const
{
    const QString pages = m_pageCount == 1 ? tr("1 page") : tr("%1 pages").arg(m_pageCount);
    const int saved =
        m_sizeBefore > 0 ? int(100 - (100 * m_sizeAfter + m_sizeBefore - 1) / m_sizeBefore) : 0;
    const QString quality =
        m_quality >= 100 ? tr("images kept as they were") : tr("quality %1").arg(m_quality);
    return tr("%1 smaller · %2 · %3").arg(QStringLiteral("%1%").arg(saved), pages, quality);
}

void CompressPDFPreviewScreen::btnOpen()
{
    performSegue(QStringLiteral("segue_PDF"));
}

void CompressPDFPreviewScreen::prepare(const QString& segue, Screen* destination)
{
    if (auto* viewer = qobject_cast<PDFPreviewScreen*>(destination);
        viewer && segue == QLatin1String("segue_PDF")) {
        viewer->setPdfFilePath(m_pdfFilePath);
        viewer->setIsFromHistory(true); // Back returns here
    }
}

void CompressPDFPreviewScreen::btnShare()
{
    QFile file(m_pdfFilePath);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    services().share->present({ShareItem::fromData(bytes, QFileInfo(m_pdfFilePath).fileName())});
}

void CompressPDFPreviewScreen::btnHome()
{
    goHome();
}
