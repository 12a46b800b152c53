// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SelectImageScreen.h"

#include "common/InputFile.h"
#include "platform/Dispatcher.h"
#include "platform/PhotoLibrary.h"
#include "platform/UserDefaults.h"
#include "screens/compress/CompressImageScreen.h"
#include "screens/compress/CompressPDFScreen.h"
#include "screens/ocr/ExtractTextScreen.h"
#include "screens/resize/ResizeImageScreen.h"
#include "screens/scan/AdjustScreen.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "ui/AlertCenter.h"
#include "ui/ProgressOverlay.h"
#include "ui/SaveFlow.h"
#include "ui/Services.h"

#include <QFileInfo>
#include <QPointer>

#include <algorithm>
#include <utility>

SelectImageScreen::SelectImageScreen(Services& services, QObject* parent)
    : Screen(services, parent), m_grid([this](const PhotoAsset& a) {
          return std::ranges::find(m_selected, a) != m_selected.end();
      })
{
    m_scan.setShowsOverlay(false);
    setTitle(tr("Select Images"));
}

bool SelectImageScreen::picksMany() const
{
    return m_selectedJob == SelectedJob::ImageToPDF || m_selectedJob == SelectedJob::CompressImage;
}

void SelectImageScreen::viewDidLoad()
{
    setDone(false, m_doneVisible);
    m_loading = true;
    emit libraryChanged();
    QPointer<SelectImageScreen> self(this);
    Services& s = services();
    s.dispatcher->async([self, &s] {
        if (!self)
            return;
        // The answer comes on a background thread, where the folder is listed too.
        s.photos->requestAuthorization([self, &s](PhotoLibrary::Status status) {
            using Status = PhotoLibrary::Status;
            if (status == Status::Authorized) {
                s.dispatcher->async([self] {
                    if (self)
                        self->scanLibrary();
                });
                return;
            }
            s.dispatcher->async([self, &s, status] {
                if (self) {
                    self->m_loading = false;
                    emit self->libraryChanged();
                }
                if (status == Status::Restricted || status == Status::Denied)
                    SaveFlow::showPermissionAlert(s);
            });
        });
    });
}

void SelectImageScreen::scanLibrary()
{
    // A large library takes a while to list; Back stops it rather than waiting for it.
    PhotoLibrary* photos = services().photos;
    m_scan.run(
        QString(), [photos](JobControl& job) { return photos->fetchAssets(&job); },
        [this](std::vector<PhotoAsset> assets) { showLibrary(std::move(assets)); });
}

void SelectImageScreen::showLibrary(std::vector<PhotoAsset> assets)
{
    m_lblMsgHidden = !assets.empty();
    m_loading = false;
    m_grid.setAssets(std::move(assets));
    emit libraryChanged();
}

void SelectImageScreen::viewWillAppear()
{
    const bool many = picksMany();
    m_grid.setShowsTicks(many);
    if (!many)
        setDone(false, false); // no Done button for the one-photo jobs
    else
        setDone(!m_selected.empty(), true);
}

void SelectImageScreen::setDone(bool enabled, bool visible)
{
    if (enabled == m_doneEnabled && visible == m_doneVisible)
        return;
    m_doneEnabled = enabled;
    m_doneVisible = visible;
    emit doneChanged();
}

void SelectImageScreen::didSelectItem(int index)
{
    if (m_job.running() || index < 0 || std::cmp_greater_equal(index, arrOfImage().size()))
        return;
    const PhotoAsset& asset = arrOfImage()[size_t(index)];
    if (!picksMany()) {
        // A photo to read text from is a photo of paper: it is straightened first.
        loadAndPerform({asset}, m_selectedJob == SelectedJob::ResizeImage
                                    ? QStringLiteral("segue_resizeImage")
                                    : QStringLiteral("segue_adjust"));
        return;
    }
    auto it = std::ranges::find(m_selected, asset);
    if (it != m_selected.end())
        m_selected.erase(it);
    else
        m_selected.push_back(asset);
    m_grid.reloadItem(index);
    m_doneEnabled = !m_selected.empty();
    emit doneChanged(); // the count changed too
}

void SelectImageScreen::btnDone()
{
    if (m_job.running() || !picksMany() || m_selected.empty())
        return;
    // Photos for a PDF are mostly of paper: the Adjust step straightens them first.
    loadAndPerform(m_selected, m_selectedJob == SelectedJob::ImageToPDF
                                   ? QStringLiteral("segue_adjust")
                                   : QStringLiteral("segue_compressImage"));
}

void SelectImageScreen::openWith(const QList<Image>& images)
{
    static const QStringList segues = {
        QStringLiteral("segue_ImageToPDF"), QStringLiteral("segue_compressImage"),
        QStringLiteral("segue_resizeImage"), QStringLiteral("segue_extractText")};
    if (m_job.running() || images.isEmpty())
        return;
    m_arrOfSelectedImages = picksMany() ? images : images.mid(0, 1);
    emit arrOfSelectedImagesChanged();
    performSegue(segues[int(m_selectedJob)]);
}

void SelectImageScreen::btnBack()
{
    m_scan.cancel();
    popScreen();
}

void SelectImageScreen::loadAndPerform(std::vector<PhotoAsset> chosen, const QString& segue)
{
    PhotoLibrary* photos = services().photos;
    const int total = int(chosen.size());
    const auto work = [photos, chosen = std::move(chosen)](JobControl& job) {
        // Handles that decode on demand: a hundred photos never mean a hundred bitmaps.
        QList<Image> images;
        int unreadable = 0;
        job.setTotal(int(chosen.size()));
        for (const PhotoAsset& asset : chosen) {
            if (job.isCancelled())
                break;
            const Image image = photos->requestImage(asset, QSize());
            if (image.isNull())
                ++unreadable;
            else
                images.append(image);
            job.advance();
        }
        return std::make_pair(images, unreadable);
    };
    m_job.run(QString(), work, [this, total, segue](const std::pair<QList<Image>, int>& loaded) {
        finishLoading(loaded.first, loaded.second, total, segue);
    });
}

void SelectImageScreen::finishLoading(const QList<Image>& images, int unreadable, int total,
                                      const QString& segue)
{
    m_arrOfSelectedImages = images;
    emit arrOfSelectedImagesChanged();
    if (unreadable > 0) {
        Alert alert;
        alert.title = tr("Could Not Read Photos");
        alert.message =
            total == 1 ? tr("The chosen photo could not be read.")
                       : tr("%1 of %2 chosen photos could not be read.").arg(unreadable).arg(total);
        alert.actions.push_back({tr("OK"), {}});
        services().alerts->present(std::move(alert));
    }
    if (!images.isEmpty())
        performSegue(segue);
}

namespace {
// A job's first screen takes the picked photos.
template <typename Job> void handPhotos(Screen* destination, const QList<Image>& photos)
{
    if (auto* job = qobject_cast<Job*>(destination))
        job->setArrOfSelectedImages(photos);
}
} // namespace

namespace {
// Shared with Home's PDF to Images: the folder of the last PDF chosen.
const QString kDocumentFolderKey = QStringLiteral("lastDocumentFolder");
} // namespace

QUrl SelectImageScreen::documentFolder() const
{
    const QString last = services().defaults->value(kDocumentFolderKey).toString();
    return QUrl::fromLocalFile(
        !last.isEmpty() && QFileInfo(last).isDir() ? last : services().locations.documents);
}

void SelectImageScreen::didPickDocument(const QUrl& url)
{
    if (m_job.running() || !acceptsPdf())
        return;
    const bool compress = m_selectedJob == SelectedJob::CompressImage;
    const QString path = url.toLocalFile();
    if (const QString folder = QFileInfo(path).absolutePath(); QFileInfo(folder).isDir()) {
        services().defaults->setValue(kDocumentFolderKey, folder);
        emit doneChanged();
    }
    // Reading a FIFO or device would block, or never end.
    if (!url.isLocalFile() || !InputFile::refusal(path).isEmpty()) {
        services().alerts->present({compress ? tr("Compress") : tr("Extract Text"),
                                    tr("The PDF could not be opened."),
                                    {{tr("OK"), nullptr}}});
        return;
    }
    m_pdfFilePath = path;
    performSegue(compress ? QStringLiteral("segue_compressPDF")
                          : QStringLiteral("segue_extractText"));
}

void SelectImageScreen::prepare(const QString& segue, Screen* destination)
{
    if (auto* pdf = qobject_cast<CompressPDFScreen*>(destination)) {
        pdf->setPdfFilePath(std::exchange(m_pdfFilePath, {}));
        return;
    }
    auto* adjust = qobject_cast<AdjustScreen*>(destination);
    if (adjust && segue == QLatin1String("segue_adjust"))
        adjust->setPhotos(m_arrOfSelectedImages, m_selectedJob);
    else if (segue == QLatin1String("segue_ImageToPDF"))
        handPhotos<ImageToPDFScreen>(destination, m_arrOfSelectedImages);
    else if (auto* text = qobject_cast<ExtractTextScreen*>(destination);
             text && !m_pdfFilePath.isEmpty())
        text->setPdf(std::exchange(m_pdfFilePath, {}));
    else if (segue == QLatin1String("segue_extractText"))
        handPhotos<ExtractTextScreen>(destination, m_arrOfSelectedImages);
    else if (segue == QLatin1String("segue_resizeImage"))
        handPhotos<ResizeImageScreen>(destination, m_arrOfSelectedImages);
    else if (segue == QLatin1String("segue_compressImage"))
        handPhotos<CompressImageScreen>(destination, m_arrOfSelectedImages);
}
