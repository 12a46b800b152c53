// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pdfshrink/PdfShrinker.h"
#include "ui/Screen.h"

#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// The compressed PDF: its size before and after, its pages, and ways to open, share or go home.
class CompressPDFPreviewScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QString pdfFilePath READ pdfFilePath NOTIFY resultChanged)
    Q_PROPERTY(QUrl documentUrl READ documentUrl NOTIFY resultChanged)
    Q_PROPERTY(qint64 sizeBefore READ sizeBefore NOTIFY resultChanged)
    Q_PROPERTY(qint64 sizeAfter READ sizeAfter NOTIFY resultChanged)
    Q_PROPERTY(int pageCount READ pageCount NOTIFY resultChanged)
    // "2 mb → 412 kb", and how it was made ("quality 25, 4 images made smaller").
    Q_PROPERTY(QString sizesText READ sizesText NOTIFY resultChanged)
    Q_PROPERTY(QString detailText READ detailText NOTIFY resultChanged)
  public:
    explicit CompressPDFPreviewScreen(Services& services, QObject* parent = nullptr);
    ~CompressPDFPreviewScreen() override;

    // The file written from result; password opens it when it is protected (else empty).
    void show(const QString& path, const PdfShrinker::Result& result, const QByteArray& password);

    [[nodiscard]] QString pdfFilePath() const { return m_pdfFilePath; }
    [[nodiscard]] QUrl documentUrl() const;
    [[nodiscard]] qint64 sizeBefore() const { return m_sizeBefore; }
    [[nodiscard]] qint64 sizeAfter() const { return m_sizeAfter; }
    [[nodiscard]] int pageCount() const { return m_pageCount; }
    [[nodiscard]] QString sizesText() const;
    [[nodiscard]] QString detailText() const;

    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void btnOpen();
    Q_INVOKABLE void btnShare();
    Q_INVOKABLE void btnHome();

  signals:
    void resultChanged();

  private:
    QString m_pdfFilePath;
    qint64 m_sizeBefore = 0;
    qint64 m_sizeAfter = 0;
    int m_pageCount = 0;
    int m_quality = 0;
    int m_imagesChanged = 0;
    bool m_unlocked = false;
};
