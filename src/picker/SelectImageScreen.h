// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoGridModel.h"
#include "common/GridColumns.h"
#include "image/Image.h"
#include "jobs/Job.h"
#include "ui/Screen.h"
#include "ui/SelectedJob.h"

#include <QList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// The photo picker: a grid of the library, newest first, from which every photo job starts.
class SelectImageScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(PhotoGridModel* collectionviewImages READ collectionviewImages CONSTANT)
    Q_PROPERTY(
        QList<Image> arrOfSelectedImages READ arrOfSelectedImages NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(bool lblMsgHidden READ lblMsgHidden NOTIFY libraryChanged)
    Q_PROPERTY(bool loading READ loading NOTIFY libraryChanged)
    Q_PROPERTY(bool doneEnabled READ doneEnabled NOTIFY doneChanged)
    Q_PROPERTY(bool doneVisible READ doneVisible NOTIFY doneChanged)
    Q_PROPERTY(int selectedCount READ selectedCount NOTIFY doneChanged)
    // Jobs that take a PDF instead offer "Choose PDF", which opens the document picker there.
    Q_PROPERTY(bool acceptsPdf READ acceptsPdf NOTIFY doneChanged)
    Q_PROPERTY(QUrl documentFolder READ documentFolder NOTIFY doneChanged)
    // Extract Text also reads a PDF, chosen with "Choose PDF" beside the photos.
    Q_PROPERTY(bool pdfActionVisible READ pdfActionVisible CONSTANT)
  public:
    explicit SelectImageScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] PhotoGridModel* collectionviewImages() { return &m_grid; }
    [[nodiscard]] const std::vector<PhotoAsset>& arrOfImage() const { return m_grid.assets(); }
    [[nodiscard]] const std::vector<PhotoAsset>& arrOfSelectedAsset() const { return m_selected; }
    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    [[nodiscard]] bool lblMsgHidden() const { return m_lblMsgHidden; }
    [[nodiscard]] bool loading() const { return m_loading; }
    [[nodiscard]] bool doneEnabled() const { return m_doneEnabled; }
    [[nodiscard]] bool doneVisible() const { return m_doneVisible; }
    [[nodiscard]] int selectedCount() const { return int(m_selected.size()); }
    [[nodiscard]] bool pdfActionVisible() const
    {
        return m_selectedJob == SelectedJob::ExtractText;
    }
    [[nodiscard]] Job& job() { return m_job; }

    [[nodiscard]] SelectedJob selectedJob() const { return m_selectedJob; }
    void setSelectedJob(SelectedJob job)
    {
        m_selectedJob = job;
        emit doneChanged();
    }
    [[nodiscard]] bool acceptsPdf() const { return m_selectedJob == SelectedJob::CompressImage; }
    [[nodiscard]] QUrl documentFolder() const;

    void viewDidLoad() override;
    void viewWillAppear() override;
    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void didSelectItem(int index);
    Q_INVOKABLE void btnDone();
    Q_INVOKABLE void btnBack();
    // The document picker handed back a PDF for the job to read instead of photos.
    Q_INVOKABLE void didPickPdf(const QUrl& url);
    // Photos handed in from outside the library (opened with Quire, dropped on the window) go
    // straight on to the job, in the order given; the one-photo jobs take the first.
    void openWith(const QList<Image>& images);
    // The document picker handed back a PDF for the job; cancelling never calls this.
    Q_INVOKABLE void didPickDocument(const QUrl& url);
    // Side of a grid item: two columns on a phone, more on wider windows; 12 points of spacing.
    Q_INVOKABLE static qreal itemSide(qreal gridWidth) { return GridColumns::side(gridWidth, 12); }

  signals:
    void arrOfSelectedImagesChanged();
    void libraryChanged();
    void doneChanged();

  private:
    [[nodiscard]] bool picksMany() const;
    void scanLibrary();
    void showLibrary(std::vector<PhotoAsset> assets);
    void setDone(bool enabled, bool visible);
    // Loads the chosen photos as full-size handles in the background, then performs segue.
    void loadAndPerform(std::vector<PhotoAsset> chosen, const QString& segue);
    void finishLoading(const QList<Image>& images, int unreadable, int total, const QString& segue);

    SelectedJob m_selectedJob = SelectedJob::ImageToPDF;
    PhotoGridModel m_grid;
    std::vector<PhotoAsset> m_selected;
    QString m_pdfFilePath; // picked, until the job's screen takes it
    QList<Image> m_arrOfSelectedImages;
    bool m_lblMsgHidden = true;
    bool m_loading = false;
    bool m_doneEnabled = false;
    bool m_doneVisible = true;
    Job m_job{services()};
    Job m_scan{services()}; // the library's listing, shown by the grid's own spinner
};
