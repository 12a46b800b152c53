// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "ui/Screen.h"

#include <QList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// The text read from a photo, editable, to copy or share.
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
  public:
    explicit TextScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    void setArrOfSelectedImages(const QList<Image>& images);
    [[nodiscard]] QString textFromImage() const { return m_textFromImage; }
    void setTextFromImage(const QString& text);
    [[nodiscard]] QUrl ivImage() const { return m_ivImage; }
    [[nodiscard]] QString tvText() const { return m_tvText; }
    void setTvText(const QString& text);

    void viewDidLoad() override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnCopy();
    Q_INVOKABLE void btnShare();
    Q_INVOKABLE void btnHome();
    // The text view asks before each change; the return key also puts the keyboard away.
    Q_INVOKABLE bool textViewShouldChangeText(const QString& replacement);

  signals:
    void arrOfSelectedImagesChanged();
    void textFromImageChanged();
    void ivImageChanged();
    void tvTextChanged();
    // Editing ends: the text view gives up focus and the keyboard goes away.
    void endEditing();

  private:
    QList<Image> m_arrOfSelectedImages;
    QString m_textFromImage;
    QUrl m_ivImage;
    QString m_tvText;
};
