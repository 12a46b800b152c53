// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "jobs/Job.h"
#include "ui/Screen.h"

#include <QList>
#include <QString>
#include <QtQmlIntegration/qqmlintegration.h>

// The resize job: the photo's size, a width and a height kept in proportion while typed, and
// the drawing of the result, which is written to the history and handed on.
class ResizeImageScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QList<Image> arrOfSelectedImages READ arrOfSelectedImages WRITE
                   setArrOfSelectedImages NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(Image selectedImage READ selectedImage NOTIFY selectedImageChanged)
    Q_PROPERTY(QUrl selectedImageUrl READ selectedImageUrl NOTIFY selectedImageChanged)
    Q_PROPERTY(Image croppedImage READ croppedImage NOTIFY croppedImageChanged)
    Q_PROPERTY(bool isAspectRatioOn READ isAspectRatioOn NOTIFY aspectRatioChanged)
    // The texts of the labels and fields, by the names of their outlets.
    Q_PROPERTY(QString lblImageOriginalSize READ lblImageOriginalSize NOTIFY selectedImageChanged)
    Q_PROPERTY(QString tfImageWIdth READ tfImageWIdth NOTIFY fieldsChanged)
    Q_PROPERTY(QString tfImageheight READ tfImageheight NOTIFY fieldsChanged)
    Q_PROPERTY(QString widthPlaceholder READ widthPlaceholder CONSTANT)
    Q_PROPERTY(QString heightPlaceholder READ heightPlaceholder CONSTANT)
    Q_PROPERTY(QString ivMaintainAspectRatio READ ivMaintainAspectRatio NOTIFY aspectRatioChanged)
    Q_PROPERTY(QString lblMsg READ lblMsg NOTIFY aspectRatioChanged)
    // Shown beside each field: the characters it would not take, and the size limit when the
    // typed size passes it.
    Q_PROPERTY(QString widthMessage READ widthMessage NOTIFY fieldsChanged)
    Q_PROPERTY(QString heightMessage READ heightMessage NOTIFY fieldsChanged)
  public:
    explicit ResizeImageScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    void setArrOfSelectedImages(const QList<Image>& images);
    [[nodiscard]] Image selectedImage() const { return m_selectedImage; }
    [[nodiscard]] QUrl selectedImageUrl() const { return m_selectedImage.url(); }
    [[nodiscard]] Image croppedImage() const { return m_croppedImage; }
    [[nodiscard]] bool isAspectRatioOn() const { return m_isAspectRatioOn; }
    [[nodiscard]] QString lblImageOriginalSize() const { return m_lblImageOriginalSize; }
    [[nodiscard]] QString tfImageWIdth() const { return m_width; }
    [[nodiscard]] QString tfImageheight() const { return m_height; }
    [[nodiscard]] static QString widthPlaceholder() { return tr("Enter Width"); }
    [[nodiscard]] static QString heightPlaceholder() { return tr("Enter Height"); }
    [[nodiscard]] QString ivMaintainAspectRatio() const;
    [[nodiscard]] QString lblMsg() const;
    [[nodiscard]] QString widthMessage() const { return message(m_widthRefused, true); }
    [[nodiscard]] QString heightMessage() const { return message(m_heightRefused, false); }

    [[nodiscard]] Job& job() { return m_job; }
    void viewDidLoad() override;
    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void doneButtonAction();
    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnAspectRatio();
    // The typing filter: may string replace length characters at location of field
    // ("tfImageWIdth" or "tfImageheight")? Applies the change when it may.
    Q_INVOKABLE bool shouldChangeCharactersIn(const QString& field, int location, int length,
                                              const QString& string);
    // A field's text as the user left it; refused edits are put back.
    Q_INVOKABLE void textFieldEdited(const QString& field, const QString& edited);
    Q_INVOKABLE void btnReize();

  signals:
    void arrOfSelectedImagesChanged();
    void selectedImageChanged();
    void croppedImageChanged();
    void aspectRatioChanged();
    void fieldsChanged();
    // Asks the page to put the keyboard away.
    void endEditing();

  private:
    QString& text(const QString& field);
    [[nodiscard]] bool tooLarge() const;
    [[nodiscard]] QString message(const QString& refused, bool width) const;
    void alert(const QString& message);
    void finish(const QImage& result, const QString& failure);
    // A drawn result and why its History file could not be written, if it could not.
    struct Drawn
    {
        QImage image;
        QString saveError;
    };

    QList<Image> m_arrOfSelectedImages;
    Image m_selectedImage;
    Image m_croppedImage;
    bool m_isAspectRatioOn = true;
    Job m_job{services()};
    QString m_lblImageOriginalSize;
    QString m_width;
    QString m_height;
    QString m_widthRefused; // typed or pasted since the field was last empty, and left out
    QString m_heightRefused;
    bool m_widthEditedLast = true;
};
