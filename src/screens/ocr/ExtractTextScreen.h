// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "jobs/Job.h"
#include "ui/Screen.h"

#include <QList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// Shows the first chosen photo and reads its text, then opens the text result.
struct TextExtraction;

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
  public:
    explicit ExtractTextScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    void setArrOfSelectedImages(const QList<Image>& images);
    [[nodiscard]] QString textFromImage() const { return m_textFromImage; }
    [[nodiscard]] QUrl ivImage() const { return m_ivImage; }
    // A run is under way: further taps on Extract are ignored.
    [[nodiscard]] bool extracting() const { return m_job.running(); }
    [[nodiscard]] Job& job() { return m_job; }

    void viewDidLoad() override;
    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnExtract();

  signals:
    void arrOfSelectedImagesChanged();
    void textFromImageChanged();
    void ivImageChanged();
    void extractingChanged();

  private:
    void finish(const TextExtraction& result);
    void setTextFromImage(const QString& text);

    QList<Image> m_arrOfSelectedImages;
    QString m_textFromImage;
    QUrl m_ivImage;
    Job m_job{services()};
};
