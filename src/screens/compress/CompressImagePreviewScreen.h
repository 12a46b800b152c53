// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CompressResults.h"
#include "image/Image.h"
#include "ui/Screen.h"

#include <QList>
#include <QStringList>
#include <QUrl>
#include <QVariantList>
#include <QtQmlIntegration/qqmlintegration.h>

// The compression results: the compressed photos with their new sizes, to view, save or share.
class CompressImagePreviewScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    // Records {"image": Image, "compSize": qint64}, in the order of the chosen photos.
    Q_PROPERTY(QVariantList arrOfCompressImage READ arrOfCompressImage WRITE setArrOfCompressImage
                   NOTIFY arrOfCompressImageChanged)
    Q_PROPERTY(int index READ index NOTIFY indexChanged)
    Q_PROPERTY(Image selectedImage READ selectedImage NOTIFY selectedImageChanged)
    // One sentence per photo of the run that could not be compressed, and the text that says so.
    Q_PROPERTY(QStringList failures READ failures WRITE setFailures NOTIFY failuresChanged)
    Q_PROPERTY(int failedCount READ failedCount NOTIFY failuresChanged)
    Q_PROPERTY(QString failureText READ failureText NOTIFY failuresChanged)
    // The quality each record was made at ("quality 25"; with the size when it was scaled down).
    Q_PROPERTY(QStringList qualityLabels READ qualityLabels WRITE setQualityLabels NOTIFY
                   qualityLabelsChanged)
    // The grid's rows: each photo with its size and quality.
    Q_PROPERTY(CompressResults* results READ results CONSTANT)
    Q_PROPERTY(QList<QUrl> imageUrls READ imageUrls NOTIFY arrOfCompressImageChanged)
    Q_PROPERTY(QStringList sizeLabels READ sizeLabels NOTIFY arrOfCompressImageChanged)
  public:
    explicit CompressImagePreviewScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QVariantList arrOfCompressImage() const { return m_arrOfCompressImage; }
    void setArrOfCompressImage(const QVariantList& records);
    [[nodiscard]] int index() const { return m_index; }
    [[nodiscard]] Image selectedImage() const { return m_selectedImage; }
    [[nodiscard]] QStringList failures() const { return m_failures; }
    void setFailures(const QStringList& failures);
    [[nodiscard]] int failedCount() const { return int(m_failures.size()); }
    [[nodiscard]] QStringList qualityLabels() const { return m_qualityLabels; }
    void setQualityLabels(const QStringList& labels);
    [[nodiscard]] QString failureText() const;
    [[nodiscard]] QList<QUrl> imageUrls() const;
    [[nodiscard]] QStringList sizeLabels() const;
    [[nodiscard]] CompressResults* results() { return &m_results; }

    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void didSelectItem(int row);
    Q_INVOKABLE void btnSave();
    Q_INVOKABLE void btnShare();
    Q_INVOKABLE void shareImages();
    Q_INVOKABLE void btnHome();

  signals:
    void arrOfCompressImageChanged();
    void indexChanged();
    void selectedImageChanged();
    void failuresChanged();
    void qualityLabelsChanged();

  private:
    [[nodiscard]] Image imageAt(int row) const;
    void updateResults();

    QVariantList m_arrOfCompressImage;
    int m_index = 0;
    Image m_selectedImage;
    QStringList m_failures;
    QStringList m_qualityLabels;
    CompressResults m_results;
};
