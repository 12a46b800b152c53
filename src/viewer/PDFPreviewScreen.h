// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/PasswordPrompt.h"
#include "ui/Screen.h"

#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// Shows one PDF, scrollable and zoomable, to share it or go home.
class PDFPreviewScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QString pdfFilePath READ pdfFilePath WRITE setPdfFilePath NOTIFY pdfFilePathChanged)
    // Empty until a protected PDF's password is given.
    Q_PROPERTY(QUrl documentUrl READ documentUrl NOTIFY pdfFilePathChanged)
    Q_PROPERTY(PasswordPrompt* passwordPrompt READ passwordPrompt CONSTANT)
    // Set by whoever opens the viewer: true from the home screen's history list.
    Q_PROPERTY(
        bool isFromHistory READ isFromHistory WRITE setIsFromHistory NOTIFY isFromHistoryChanged)
    // The left bar button: usable only when the PDF was opened from the history.
    Q_PROPERTY(bool backEnabled READ backEnabled NOTIFY backEnabledChanged)
  public:
    explicit PDFPreviewScreen(Services& services, QObject* parent = nullptr);
    ~PDFPreviewScreen() override;

    [[nodiscard]] QString pdfFilePath() const { return m_pdfFilePath; }
    void setPdfFilePath(const QString& path);
    // A PDF just written under a password the user has given already: it is not asked for again.
    void setPdf(const QString& path, const QByteArray& password);
    [[nodiscard]] QUrl documentUrl() const;
    [[nodiscard]] bool isFromHistory() const { return m_isFromHistory; }
    void setIsFromHistory(bool value);
    [[nodiscard]] bool backEnabled() const { return m_backEnabled; }
    [[nodiscard]] PasswordPrompt* passwordPrompt() { return &m_prompt; }

    void viewDidLoad() override;
    void viewWillAppear() override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnShare();
    Q_INVOKABLE void btnHome();
    // Opens the page grid on this PDF.
    Q_INVOKABLE void btnOrganise();
    void prepare(const QString& segue, Screen* destination) override;

  signals:
    void pdfFilePathChanged();
    void backEnabledChanged();
    void isFromHistoryChanged();

  private:
    QString m_pdfFilePath;
    bool m_backEnabled = true;
    bool m_isFromHistory = false;
    bool m_opened = false;
    QByteArray m_password; // of a protected PDF while the screen is up, for the page grid
    PasswordPrompt m_prompt{*services().dispatcher};
};
