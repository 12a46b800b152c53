// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "jobs/Job.h"
#include "ui/Screen.h"

#include <QList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

#include <memory>

class SearchablePdf;

// The text read from a photo or a PDF, editable, to copy or share; a PDF's can be saved as a
// searchable copy.
class TextScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QList<Image> arrOfSelectedImages READ arrOfSelectedImages WRITE
                   setArrOfSelectedImages NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(
        QString textFromImage READ textFromImage WRITE setTextFromImage NOTIFY textFromImageChanged)
    Q_PROPERTY(QUrl ivImage READ ivImage NOTIFY ivImageChanged)
    // The text view's current text, with the user's edits.
    Q_PROPERTY(QString tvText READ tvText WRITE setTvText NOTIFY tvTextChanged)
    // The text came from a PDF, which "Save searchable PDF" writes with its text layer.
    Q_PROPERTY(bool searchableVisible READ searchableVisible NOTIFY searchablePdfChanged)
    Q_PROPERTY(bool saving READ saving NOTIFY savingChanged)
  public:
    explicit TextScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    void setArrOfSelectedImages(const QList<Image>& images);
    [[nodiscard]] QString textFromImage() const { return m_textFromImage; }
    void setTextFromImage(const QString& text);
    [[nodiscard]] QUrl ivImage() const { return m_ivImage; }
    [[nodiscard]] QString tvText() const { return m_tvText; }
    void setTvText(const QString& text);
    // The PDF read, with its text layers, kept for saving.
    void setSearchablePdf(std::shared_ptr<SearchablePdf> pdf);
    [[nodiscard]] bool searchableVisible() const { return m_pdf != nullptr; }
    [[nodiscard]] bool saving() const { return m_save.running(); }
    [[nodiscard]] Job& saveJob() { return m_save; }

    void viewDidLoad() override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnCopy();
    Q_INVOKABLE void btnShare();
    Q_INVOKABLE void btnHome();
    // Writes the searchable PDF into History, as a new file.
    Q_INVOKABLE void btnSaveSearchable();
    // The text view asks before each change; the return key also puts the keyboard away.
    Q_INVOKABLE bool textViewShouldChangeText(const QString& replacement);

  signals:
    void arrOfSelectedImagesChanged();
    void textFromImageChanged();
    void ivImageChanged();
    void tvTextChanged();
    void searchablePdfChanged();
    void savingChanged();
    // Editing ends: the text view gives up focus and the keyboard goes away.
    void endEditing();

  private:
    QList<Image> m_arrOfSelectedImages;
    QString m_textFromImage;
    QUrl m_ivImage;
    QString m_tvText;
    std::shared_ptr<SearchablePdf> m_pdf;
    Job m_save{services()};
};
