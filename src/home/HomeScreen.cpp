// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HomeScreen.h"

#include "common/OwnedFolders.h"
#include "screens/toimages/PDFToImageScreen.h"
#include "viewer/PDFPreviewScreen.h"
#include "viewer/ViewImageScreen.h"

#include "common/InputFile.h"
#include "common/Logging.h"
#include "history/HistoryStore.h"
#include "image/Image.h"
#include "picker/SelectImageScreen.h"
#include "platform/UserDefaults.h"
#include "ui/AlertCenter.h"
#include "ui/Services.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

HomeScreen::HomeScreen(Services& services, QObject* parent)
    : Screen(services, parent), m_tableviewRecent(*services.history)
{
    setTitle(QStringLiteral("Quire"));
}

void HomeScreen::btnClearList()
{
    services().history->clear();
    m_tableviewRecent.reload();
}

void HomeScreen::viewWillAppear()
{
    m_tableviewRecent.reload();
}

void HomeScreen::startJob(SelectedJob job)
{
    m_selectedJob = job;
    performSegue(QStringLiteral("segue_selectImage"));
}

void HomeScreen::btnImageToPDF()
{
    startJob(SelectedJob::ImageToPDF);
}
void HomeScreen::btnCompressImage()
{
    startJob(SelectedJob::CompressImage);
}
void HomeScreen::btnResizeImage()
{
    startJob(SelectedJob::ResizeImage);
}
void HomeScreen::btnExtractText()
{
    startJob(SelectedJob::ExtractText);
}
void HomeScreen::btnSetting()
{
    performSegue(QStringLiteral("segue_setting"));
}
void HomeScreen::btnPDFToImage()
{
    emit documentPickerRequested();
}

namespace {
const QString kDocumentFolderKey = QStringLiteral("lastDocumentFolder");
}

QUrl HomeScreen::documentFolder() const
{
    const QString last = services().defaults->value(kDocumentFolderKey).toString();
    return QUrl::fromLocalFile(
        !last.isEmpty() && QFileInfo(last).isDir()
            ? last
            : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

void HomeScreen::didPickDocument(const QUrl& url)
{
    const QString source = url.isLocalFile() ? url.toLocalFile() : url.toString();
    if (const QString folder = QFileInfo(source).absolutePath(); QFileInfo(folder).isDir()) {
        services().defaults->setValue(kDocumentFolderKey, folder);
        services().defaults->synchronize();
        emit documentFolderChanged();
    }
    // Copying a FIFO or device would block, or never end.
    if (const QString refusal = InputFile::refusal(source); !refusal.isEmpty()) {
        qCWarning(lcHome) << source << refusal;
        services().alerts->present(
            {tr("PDF to Images"), tr("The PDF could not be opened."), {{tr("OK"), nullptr}}});
        return;
    }
    // Work on a private copy, as a document picker in copy mode hands back. Each copy gets a
    // folder of its own, so it keeps its name (the title the user sees) and replaces nothing.
    // The folder is named after this process, whose copies go when it does.
    const QString inbox = services().locations.inbox;
    QDir().mkpath(inbox);
    const QString own = OwnedFolders::ownPrefix({});
    QString folder;
    for (int n = 1; n < 100000 && folder.isEmpty(); ++n)
        if (QDir(inbox).mkdir(own + QString::number(n)))
            folder = inbox + QLatin1Char('/') + own + QString::number(n);
    const QString target = folder + QLatin1Char('/') + QFileInfo(source).fileName();
    if (folder.isEmpty() || !QFile::copy(source, target)) {
        qCWarning(lcHome) << "Could not copy" << source << "into the inbox";
        if (!folder.isEmpty())
            QDir().rmdir(folder);
        services().alerts->present(
            {tr("PDF to Images"), tr("The PDF could not be opened."), {{tr("OK"), nullptr}}});
        return;
    }
    m_pdfFilePath = target;
    emit pdfFilePathChanged();
    performSegue(QStringLiteral("segue_pdfToImage"));
}

void HomeScreen::didSelectRow(int row)
{
    // A job's row opens or closes the list of its files.
    if (m_tableviewRecent.toggle(row))
        return;
    // The row the user saw, even if a job has added files since the list was drawn.
    const QUrl url = m_tableviewRecent.row(row).value(QStringLiteral("fileUrl")).toUrl();
    if (url.isEmpty())
        return;
    m_selectedURL = url;
    emit selectedURLChanged();
    if (QFileInfo(url.toLocalFile()).suffix() == QLatin1String("pdf")) {
        performSegue(QStringLiteral("segue_PDF"));
    } else {
        performSegue(QStringLiteral("segue_viewImage"));
    }
}

void HomeScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue == QLatin1String("segue_pdfToImage")) {
        if (auto* pages = qobject_cast<PDFToImageScreen*>(destination))
            pages->setPdfFilePath(m_pdfFilePath);
    } else if (segue == QLatin1String("segue_viewImage")) {
        if (auto* viewer = qobject_cast<ViewImageScreen*>(destination))
            viewer->setSelectedImage(Image::fromFile(m_selectedURL.toLocalFile()));
    } else if (segue == QLatin1String("segue_PDF")) {
        if (auto* viewer = qobject_cast<PDFPreviewScreen*>(destination)) {
            viewer->setPdfFilePath(m_selectedURL.toLocalFile());
            viewer->setIsFromHistory(true);
        }
    } else if (segue == QLatin1String("segue_selectImage")) {
        if (auto* picker = qobject_cast<SelectImageScreen*>(destination))
            picker->setSelectedJob(m_selectedJob);
    }
}
