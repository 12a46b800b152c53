#pragma once

#include "image/Image.h"
#include "jobs/Job.h"
#include "ui/Screen.h"

#include <QList>
#include <QUrl>

// The picked photos as a grid of page previews; Convert writes them as one PDF and opens it.
class ImageToPDFScreen : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QList<Image> arrOfSelectedImages READ arrOfSelectedImages WRITE
                   setArrOfSelectedImages NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(QString pdfFilePath READ pdfFilePath NOTIFY pdfFilePathChanged)
    // The grid's cells: one image:// address per page, first page first.
    Q_PROPERTY(QList<QUrl> pageImages READ pageImages NOTIFY arrOfSelectedImagesChanged)
  public:
    explicit ImageToPDFScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    void setArrOfSelectedImages(const QList<Image>& images);
    [[nodiscard]] QString pdfFilePath() const { return m_pdfFilePath; }
    [[nodiscard]] QList<QUrl> pageImages() const;
    [[nodiscard]] Job& job() { return m_job; }

    // Two pages share a row of a grid this wide.
    Q_INVOKABLE [[nodiscard]] qreal itemSide(qreal gridWidth) const
    {
        return (gridWidth - 36) * 0.5;
    }

    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnConvert();

  signals:
    void arrOfSelectedImagesChanged();
    void pdfFilePathChanged();

  private:
    void convertImagesToPDF();

    Job m_job{m_services};
    QList<Image> m_arrOfSelectedImages;
    QString m_pdfFilePath;
};
