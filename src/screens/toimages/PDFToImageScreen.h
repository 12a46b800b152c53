// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "jobs/Job.h"
#include "toimages/PageRenderer.h"
#include "ui/PasswordPrompt.h"
#include "ui/Screen.h"

#include <QList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// Shows the chosen PDF and turns its pages into PNG files in the history, then opens the gallery.
class PDFToImageScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QString pdfFilePath READ pdfFilePath WRITE setPdfFilePath NOTIFY pdfFilePathChanged)
    Q_PROPERTY(QString imgPath READ imgPath NOTIFY imgPathChanged)
    Q_PROPERTY(QList<Image> arrOfImages READ arrOfImages NOTIFY arrOfImagesChanged)
    // Empty until a protected PDF's password is given.
    Q_PROPERTY(QUrl documentUrl READ documentUrl NOTIFY pdfFilePathChanged)
    Q_PROPERTY(PasswordPrompt* passwordPrompt READ passwordPrompt CONSTANT)
    // Dots per inch of the images; 0 for the screen's own scale.
    Q_PROPERTY(int resolution READ resolution WRITE setResolution NOTIFY optionsChanged)
    Q_PROPERTY(QList<int> resolutions READ resolutions CONSTANT)
    // Which pages, as typed ("1-3, 8"); blank for all. pageRangeError says what is wrong with it.
    Q_PROPERTY(QString pageRange READ pageRange WRITE setPageRange NOTIFY optionsChanged)
    Q_PROPERTY(QString pageRangeError READ pageRangeError NOTIFY optionsChanged)
  public:
    explicit PDFToImageScreen(Services& services, QObject* parent = nullptr);
    ~PDFToImageScreen() override;

    [[nodiscard]] QString pdfFilePath() const { return m_pdfFilePath; }
    void setPdfFilePath(const QString& path);
    [[nodiscard]] QString imgPath() const { return m_imgPath; }
    [[nodiscard]] QList<Image> arrOfImages() const { return m_arrOfImages; }
    [[nodiscard]] QUrl documentUrl() const;
    [[nodiscard]] int resolution() const { return m_resolution; }
    void setResolution(int dpi);
    [[nodiscard]] static QList<int> resolutions() { return {0, 72, 150, 300}; }
    [[nodiscard]] QString pageRange() const { return m_pageRange; }
    void setPageRange(const QString& text);
    [[nodiscard]] QString pageRangeError() const { return m_pageRangeError; }
    [[nodiscard]] Job& job() { return m_job; }
    [[nodiscard]] PasswordPrompt* passwordPrompt() { return &m_prompt; }

    void viewDidLoad() override;
    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnConvert();

  signals:
    void pdfFilePathChanged();
    void imgPathChanged();
    void arrOfImagesChanged();
    void optionsChanged();

  private:
    void finishConversion(const PageRenderer::Result& result);
    void setImages(QList<Image> images);

    QString m_pdfFilePath;
    QByteArray m_password; // of a protected PDF, while the screen is up
    bool m_opened = false;
    QString m_imgPath;
    QList<Image> m_arrOfImages;
    int m_resolution = 0;
    QString m_pageRange;
    QString m_pageRangeError;
    PasswordPrompt m_prompt{*services().dispatcher};
    Job m_job{services()};
};
