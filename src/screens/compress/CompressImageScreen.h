// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/GridColumns.h"
#include "image/Image.h"
#include "jobs/Job.h"
#include "ui/Screen.h"

#include <QList>
#include <QStringList>
#include <QUrl>
#include <QVariantList>
#include <QtQmlIntegration/qqmlintegration.h>

#include <atomic>
#include <memory>

// The compression job: a grid of the chosen photos with their sizes, and the run
// that re-encodes each one, writes it to the history and hands the records on.
class CompressImageScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QList<Image> arrOfSelectedImages READ arrOfSelectedImages WRITE
                   setArrOfSelectedImages NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(
        QVariantList arrOfCompressImage READ arrOfCompressImage NOTIFY arrOfCompressImageChanged)
    Q_PROPERTY(int failedCount READ failedCount NOTIFY arrOfCompressImageChanged)
    // A size to fit each photo under, in bytes; 0 for the fixed quality 0.25.
    Q_PROPERTY(qint64 maxBytes READ maxBytes WRITE setMaxBytes NOTIFY maxBytesChanged)
    Q_PROPERTY(QString targetText READ targetText NOTIFY maxBytesChanged)
    Q_PROPERTY(QStringList targetChoices READ targetChoices CONSTANT)
    // What the grid shows: one address and one size text per photo ("" until measured).
    Q_PROPERTY(QList<QUrl> imageUrls READ imageUrls NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(QStringList sizeLabels READ sizeLabels NOTIFY sizeLabelsChanged)
  public:
    // The setting "Keep location in compressed photos" (off unless set).
    static constexpr const char* kKeepLocationKey = "keepLocationInCompressedPhotos";

    explicit CompressImageScreen(Services& services, QObject* parent = nullptr);
    ~CompressImageScreen() override;

    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    void setArrOfSelectedImages(const QList<Image>& images);
    [[nodiscard]] QVariantList arrOfCompressImage() const { return m_arrOfCompressImage; }
    [[nodiscard]] int failedCount() const { return int(m_outcome.failures.size()); }
    [[nodiscard]] qint64 maxBytes() const { return m_maxBytes; }
    void setMaxBytes(qint64 bytes);
    [[nodiscard]] QString targetText() const;
    // NOLINTNEXTLINE(readability-convert-member-functions-to-static): a property QML reads
    [[nodiscard]] QStringList targetChoices() const
    {
        return {QStringLiteral("200 kb"), QStringLiteral("500 kb"), QStringLiteral("1 mb"),
                QStringLiteral("2 mb")};
    }
    [[nodiscard]] QList<QUrl> imageUrls() const;
    // Two photos a row on a phone-wide grid (16 points around and between), more when wider.
    Q_INVOKABLE [[nodiscard]] static qreal itemSide(qreal gridWidth)
    {
        return GridColumns::side(gridWidth, 16);
    }
    [[nodiscard]] QStringList sizeLabels() const { return m_sizeLabels; }
    [[nodiscard]] Job& job() { return m_job; }

    void viewDidLoad() override;
    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnCompress();
    Q_INVOKABLE void startCompression();
    // A typed size ("500 kb", "1.5m"); empty for the fixed quality. False when it is no size.
    Q_INVOKABLE bool setTargetText(const QString& text);

  signals:
    void arrOfSelectedImagesChanged();
    void arrOfCompressImageChanged();
    void sizeLabelsChanged();
    void maxBytesChanged();

  private:
    // What a run hands back: the records, the quality of each, and a sentence per failed photo.
    struct Outcome
    {
        QVariantList records;
        QStringList qualities;
        QStringList failures;
    };

    void measureSizes();
    void stopMeasuring();
    void finishRun(const Outcome& outcome);

    QList<Image> m_arrOfSelectedImages;
    QVariantList m_arrOfCompressImage;
    QStringList m_sizeLabels;
    Outcome m_outcome;
    qint64 m_maxBytes = 0;
    std::shared_ptr<std::atomic<bool>> m_measuring; // cleared when its labels are no longer wanted
    Job m_job{services()};
    bool m_loaded = false;
};
