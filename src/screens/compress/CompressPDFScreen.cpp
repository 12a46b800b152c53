// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompressPDFScreen.h"

#include "CompressPDFPreviewScreen.h"
#include "common/JobControl.h"
#include "compress/SizeTarget.h"
#include "history/HistoryStore.h"
#include "history/SizeLabel.h"
#include "platform/Clock.h"
#include "ui/AlertCenter.h"
#include "ui/Services.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {
// What a run hands back to the GUI thread.
struct Outcome
{
    PdfShrinker::Result result;
    HistoryStore::Written written;
};
} // namespace

CompressPDFScreen::CompressPDFScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Compress PDF"));
}

CompressPDFScreen::~CompressPDFScreen() = default;

void CompressPDFScreen::setPdfFilePath(const QString& path)
{
    if (path == m_pdfFilePath)
        return;
    m_pdfFilePath = path;
    emit pdfFilePathChanged();
}

QUrl CompressPDFScreen::documentUrl() const
{
    return m_opened ? QUrl::fromLocalFile(m_pdfFilePath) : QUrl();
}

QString CompressPDFScreen::sizeText() const
{
    const QFileInfo file(m_pdfFilePath);
    return file.exists() ? sizeLabel(file.size()) : QString();
}

void CompressPDFScreen::setQuality(int quality)
{
    quality = std::clamp(quality, PdfShrinker::kLowestQuality, 100);
    if (quality == m_quality)
        return;
    m_quality = quality;
    emit optionsChanged();
}

QString CompressPDFScreen::targetText() const
{
    return m_maxBytes > 0 ? SizeTarget::text(m_maxBytes) : QString();
}

QStringList CompressPDFScreen::targetChoices()
{
    return {QStringLiteral("500 kb"), QStringLiteral("1 mb"), QStringLiteral("2 mb"),
            QStringLiteral("5 mb")};
}

bool CompressPDFScreen::setTargetText(const QString& text)
{
    const qint64 bytes = text.trimmed().isEmpty() ? 0 : SizeTarget::parse(text);
    if (bytes <= 0 && !text.trimmed().isEmpty())
        return false;
    if (bytes != m_maxBytes) {
        m_maxBytes = bytes;
        emit optionsChanged();
    }
    return true;
}

void CompressPDFScreen::setDpi(int dpi)
{
    if (dpi == m_dpi || !resolutions().contains(dpi))
        return;
    m_dpi = dpi;
    emit optionsChanged();
}

void CompressPDFScreen::viewDidLoad()
{
    setTitle(QFileInfo(m_pdfFilePath).fileName());
    m_prompt.ask(
        m_pdfFilePath,
        [this](const QByteArray& password) {
            m_password = password;
            m_opened = true;
            emit documentUrlChanged();
        },
        [this] { btnBack(); });
}

void CompressPDFScreen::btnBack()
{
    popScreen();
}

void CompressPDFScreen::alert(const QString& message)
{
    services().alerts->present({tr("Compress PDF"), message, {{tr("OK"), nullptr}}});
}

void CompressPDFScreen::btnCompress()
{
    if (const QString error = m_protection.error(); !error.isEmpty()) {
        alert(error);
        return;
    }
    PdfShrinker::Settings settings;
    settings.quality = m_quality;
    settings.maxBytes = m_maxBytes;
    settings.dpi = m_dpi;
    settings.password = m_password.toStdString();
    settings.protect = m_protection.password();
    Services* s = &services();
    const QString path = m_pdfFilePath;
    const auto work = [s, path, settings](JobControl& job) {
        Outcome outcome;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            outcome.result.error = file.errorString();
            return outcome;
        }
        // Counted again in images once the PDF is read.
        job.beginStage(1, tr("Compressing the PDF..."));
        outcome.result = PdfShrinker::shrink(file.readAll(), settings, &job);
        if (job.isCancelled() || outcome.result.bytes.isEmpty())
            return outcome;
        const auto stem = qint64(std::trunc(s->clock->now()));
        outcome.written = s->history->write(stem, QStringLiteral("pdf"), outcome.result.bytes);
        outcome.result.bytes.clear(); // the file holds them now
        return outcome;
    };
    m_job.run(tr("Compressing..."), work, [this](const Outcome& outcome) {
        finish(outcome.result, outcome.written.path, outcome.written.error);
    });
}

void CompressPDFScreen::finish(const PdfShrinker::Result& result, const QString& written,
                               const QString& error)
{
    const QString missed =
        QCoreApplication::translate("PdfShrinker", "cannot be made to fit under %1")
            .arg(SizeTarget::text(m_maxBytes));
    QString failure;
    if (m_maxBytes > 0 && result.error == missed)
        failure = tr("The PDF does not fit under %1, even at the lowest quality. Nothing was "
                     "written.")
                      .arg(SizeTarget::text(m_maxBytes));
    else if (!result.ok())
        failure = tr("The PDF could not be compressed (%1).").arg(result.error);
    else if (result.smallest)
        failure = tr("The PDF is already as small as it gets. Nothing was written.");
    else if (!error.isEmpty())
        failure = tr("The PDF could not be saved: %1").arg(error);
    if (!failure.isEmpty()) {
        m_job.fail(failure);
        alert(failure);
        return;
    }
    m_result = result;
    m_written = written;
    performSegue(QStringLiteral("segue_previewCompressPDF"));
}

void CompressPDFScreen::prepare(const QString& segue, Screen* destination)
{
    auto* preview = qobject_cast<CompressPDFPreviewScreen*>(destination);
    if (segue != QLatin1String("segue_previewCompressPDF") || !preview)
        return;
    const QByteArray protect = m_protection.password();
    preview->show(m_written, m_result, protect.isEmpty() ? m_password : protect);
}
