// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/Job.h"
#include "pdfshrink/PdfShrinker.h"
#include "ui/PasswordPrompt.h"
#include "ui/PdfProtection.h"
#include "ui/Screen.h"

#include <QList>
#include <QStringList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// Compresses one PDF: its pages, the quality (the photos' scale), a size to fit under and a
// resolution for its images, then the run that writes the smaller file to the history.
class CompressPDFScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QString pdfFilePath READ pdfFilePath WRITE setPdfFilePath NOTIFY pdfFilePathChanged)
    // Empty until a protected PDF's password is given.
    Q_PROPERTY(QUrl documentUrl READ documentUrl NOTIFY documentUrlChanged)
    Q_PROPERTY(QString sizeText READ sizeText NOTIFY pdfFilePathChanged)
    Q_PROPERTY(int quality READ quality WRITE setQuality NOTIFY optionsChanged)
    Q_PROPERTY(qint64 maxBytes READ maxBytes NOTIFY optionsChanged)
    Q_PROPERTY(QString targetText READ targetText NOTIFY optionsChanged)
    Q_PROPERTY(QStringList targetChoices READ targetChoices CONSTANT)
    // Dots per inch the images are brought down to; 0 keeps them as they are.
    Q_PROPERTY(int dpi READ dpi WRITE setDpi NOTIFY optionsChanged)
    Q_PROPERTY(QList<int> resolutions READ resolutions CONSTANT)
    Q_PROPERTY(PasswordPrompt* passwordPrompt READ passwordPrompt CONSTANT)
    Q_PROPERTY(PdfProtection* protection READ protection CONSTANT)
  public:
    explicit CompressPDFScreen(Services& services, QObject* parent = nullptr);
    ~CompressPDFScreen() override;

    [[nodiscard]] QString pdfFilePath() const { return m_pdfFilePath; }
    void setPdfFilePath(const QString& path);
    [[nodiscard]] QUrl documentUrl() const;
    [[nodiscard]] QString sizeText() const;
    [[nodiscard]] int quality() const { return m_quality; }
    void setQuality(int quality);
    [[nodiscard]] qint64 maxBytes() const { return m_maxBytes; }
    [[nodiscard]] QString targetText() const;
    [[nodiscard]] static QStringList targetChoices();
    [[nodiscard]] int dpi() const { return m_dpi; }
    void setDpi(int dpi);
    [[nodiscard]] static QList<int> resolutions() { return {0, 72, 150, 300}; }
    [[nodiscard]] PasswordPrompt* passwordPrompt() { return &m_prompt; }
    [[nodiscard]] PdfProtection* protection() { return &m_protection; }
    [[nodiscard]] Job& job() { return m_job; }

    void viewDidLoad() override;
    void prepare(const QString& segue, Screen* destination) override;

    // A typed size ("500 kb", "1.5m"); empty for the quality alone. False when it is no size.
    Q_INVOKABLE bool setTargetText(const QString& text);
    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnCompress();

  signals:
    void pdfFilePathChanged();
    void documentUrlChanged();
    void optionsChanged();

  private:
    void finish(const PdfShrinker::Result& result, const QString& written, const QString& error);
    void alert(const QString& message);

    QString m_pdfFilePath;
    QByteArray m_password; // of a protected PDF, while the screen is up
    bool m_opened = false;
    int m_quality = 25;
    qint64 m_maxBytes = 0;
    int m_dpi = 0;
    PdfShrinker::Result m_result;
    QString m_written;
    PasswordPrompt m_prompt{*services().dispatcher};
    PdfProtection m_protection;
    Job m_job{services()};
};
