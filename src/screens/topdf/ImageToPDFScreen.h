// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/GridColumns.h"
#include "image/Image.h"
#include "jobs/Job.h"
#include "topdf/PageSetup.h"
#include "ui/PdfProtection.h"
#include "ui/Screen.h"

#include <QList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// The picked photos as a grid of page previews; Convert writes them as one PDF and opens it.
class ImageToPDFScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QList<Image> arrOfSelectedImages READ arrOfSelectedImages WRITE
                   setArrOfSelectedImages NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(QString pdfFilePath READ pdfFilePath NOTIFY pdfFilePathChanged)
    // The grid's cells: one image:// address per page, first page first.
    Q_PROPERTY(QList<QUrl> pageImages READ pageImages NOTIFY arrOfSelectedImagesChanged)
    // The paper: "photo", "a4" or "letter"; remembered for the next conversion.
    Q_PROPERTY(QString paperSize READ paperSize WRITE setPaperSize NOTIFY pageSetupChanged)
    Q_PROPERTY(qreal marginMm READ marginMm WRITE setMarginMm NOTIFY pageSetupChanged)
    // "Make text searchable": an invisible layer of the recognised text over every page.
    Q_PROPERTY(bool searchable READ searchable WRITE setSearchable NOTIFY pageSetupChanged)
    // Convert is offered only while there is a page to write: a PDF of none is no document.
    Q_PROPERTY(bool canConvert READ canConvert NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(PdfProtection* protection READ protection CONSTANT)
  public:
    explicit ImageToPDFScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    void setArrOfSelectedImages(const QList<Image>& images);
    [[nodiscard]] QString pdfFilePath() const { return m_pdfFilePath; }
    [[nodiscard]] QList<QUrl> pageImages() const;
    [[nodiscard]] QString paperSize() const { return PageSetup::key(m_setup.paper); }
    void setPaperSize(const QString& key);
    [[nodiscard]] qreal marginMm() const { return m_setup.marginMm; }
    void setMarginMm(qreal mm);
    [[nodiscard]] PageSetup pageSetup() const { return m_setup; }
    [[nodiscard]] bool searchable() const { return m_searchable; }
    void setSearchable(bool on);
    [[nodiscard]] bool canConvert() const { return !m_arrOfSelectedImages.isEmpty(); }
    [[nodiscard]] Job& job() { return m_job; }
    [[nodiscard]] PdfProtection* protection() { return &m_protection; }

    // Two pages share a row of a phone-wide grid; a wider one adds columns as the picker does.
    Q_INVOKABLE [[nodiscard]] static qreal itemSide(qreal gridWidth)
    {
        return GridColumns::side(gridWidth, 12);
    }
    Q_INVOKABLE [[nodiscard]] static int columns(qreal gridWidth)
    {
        return GridColumns::columns(gridWidth, 12);
    }

    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnConvert();
    // Page order before converting: the PDF follows the order shown.
    Q_INVOKABLE void movePage(int from, int to);
    Q_INVOKABLE void moveEarlier(int index) { movePage(index, index - 1); }
    Q_INVOKABLE void moveLater(int index) { movePage(index, index + 1); }
    Q_INVOKABLE void removePage(int index);

  signals:
    void arrOfSelectedImagesChanged();
    void pdfFilePathChanged();
    void pageSetupChanged();

  private:
    void convertImagesToPDF();
    void rememberSetup();

    PdfProtection m_protection;
    Job m_job{services()};
    QList<Image> m_arrOfSelectedImages;
    QString m_pdfFilePath;
    PageSetup m_setup;
    bool m_searchable = false;
};
