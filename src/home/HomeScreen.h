// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HistoryListModel.h"
#include "ui/Screen.h"
#include "ui/SelectedJob.h"

#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// The home screen: the five jobs, settings, and the list of files written this run.
class HomeScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QString pdfFilePath READ pdfFilePath NOTIFY pdfFilePathChanged)
    Q_PROPERTY(QUrl selectedURL READ selectedURL NOTIFY selectedURLChanged)
    // Where the PDF dialog opens: the folder of the last PDF chosen, across runs, else Documents.
    Q_PROPERTY(QUrl documentFolder READ documentFolder NOTIFY documentFolderChanged)
    Q_PROPERTY(HistoryListModel* tableviewRecent READ tableviewRecent CONSTANT)
  public:
    explicit HomeScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QString pdfFilePath() const { return m_pdfFilePath; }
    [[nodiscard]] QUrl selectedURL() const { return m_selectedURL; }
    [[nodiscard]] HistoryListModel* tableviewRecent() { return &m_tableviewRecent; }

    void viewWillAppear() override;
    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void btnImageToPDF();
    Q_INVOKABLE void btnPDFToImage();
    Q_INVOKABLE void btnCompressImage();
    Q_INVOKABLE void btnResizeImage();
    Q_INVOKABLE void btnExtractText();
    Q_INVOKABLE void btnSetting();
    // The document picker handed back a PDF; cancelling never calls this.
    Q_INVOKABLE void didPickDocument(const QUrl& url);
    Q_INVOKABLE void didSelectRow(int row);
    // "Clear list": the rows go, the files stay in the History folder.
    Q_INVOKABLE void btnClearList();

    [[nodiscard]] QUrl documentFolder() const;

  signals:
    void documentFolderChanged();
    void pdfFilePathChanged();
    void selectedURLChanged();
    // Asks the window to show the PDF document picker.
    void documentPickerRequested();

  private:
    void startJob(SelectedJob job);

    QString m_pdfFilePath;
    QUrl m_selectedURL;
    SelectedJob m_selectedJob = SelectedJob::ImageToPDF;
    HistoryListModel m_tableviewRecent;
};
