// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "jobs/Job.h"
#include "ui/PasswordPrompt.h"
#include "ui/Screen.h"

#include <QList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

#include <memory>

class SearchablePdf;
struct TextExtraction;

// Shows the first chosen photo (or the chosen PDF) and reads its text, then opens the text result.

class ExtractTextScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QList<Image> arrOfSelectedImages READ arrOfSelectedImages WRITE
                   setArrOfSelectedImages NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(QString textFromImage READ textFromImage NOTIFY textFromImageChanged)
    Q_PROPERTY(QUrl ivImage READ ivImage NOTIFY ivImageChanged)
    Q_PROPERTY(bool extracting READ extracting NOTIFY extractingChanged)
    // The PDF whose pages are read instead of a photo; empty for a photo.
    Q_PROPERTY(QString pdfFilePath READ pdfFilePath NOTIFY pdfFilePathChanged)
    // Pages that show text of their own are read by recognition too, rather than taken as they are.
    Q_PROPERTY(bool forceOcr READ forceOcr WRITE setForceOcr NOTIFY forceOcrChanged)
    Q_PROPERTY(PasswordPrompt* passwordPrompt READ passwordPrompt CONSTANT)
  public:
    explicit ExtractTextScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    void setArrOfSelectedImages(const QList<Image>& images);
    [[nodiscard]] QString textFromImage() const { return m_textFromImage; }
    [[nodiscard]] QUrl ivImage() const { return m_ivImage; }
    // A run is under way: further taps on Extract are ignored.
    [[nodiscard]] bool extracting() const { return m_job.running(); }
    [[nodiscard]] Job& job() { return m_job; }
    [[nodiscard]] QString pdfFilePath() const { return m_pdfFilePath; }
    // Reads the pages of the PDF at path rather than a photo.
    void setPdf(const QString& path);
    [[nodiscard]] bool forceOcr() const { return m_forceOcr; }
    void setForceOcr(bool on);
    [[nodiscard]] PasswordPrompt* passwordPrompt() { return &m_prompt; }

    void viewDidLoad() override;
    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnExtract();

  signals:
    void arrOfSelectedImagesChanged();
    void textFromImageChanged();
    void ivImageChanged();
    void extractingChanged();
    void pdfFilePathChanged();
    void forceOcrChanged();

  private:
    void finish(const TextExtraction& result);
    void extractPdf(const QByteArray& password);
    void finishPdf(const std::shared_ptr<SearchablePdf>& pdf);
    void setTextFromImage(const QString& text);

    QList<Image> m_arrOfSelectedImages;
    QString m_textFromImage;
    QUrl m_ivImage;
    QString m_pdfFilePath;
    QByteArray m_password; // of a protected PDF, while the screen is up
    bool m_forceOcr = false;
    std::shared_ptr<SearchablePdf> m_pdf; // the last PDF read, handed to the result
    PasswordPrompt m_prompt{*services().dispatcher};
    Job m_job{services()};
};
