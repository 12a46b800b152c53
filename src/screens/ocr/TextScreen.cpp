// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextScreen.h"

#include "history/HistoryStore.h"
#include "pdfocr/SearchablePdf.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "ui/AlertCenter.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

#include <cmath>

TextScreen::TextScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Text"));
    connect(&m_save, &Job::stateChanged, this, &TextScreen::savingChanged);
}

void TextScreen::setSearchablePdf(std::shared_ptr<SearchablePdf> pdf)
{
    m_pdf = std::move(pdf);
    emit searchablePdfChanged();
}

void TextScreen::btnSaveSearchable()
{
    if (!m_pdf || m_save.running())
        return;
    const Services& s = services();
    const auto stem = qint64(std::trunc(s.clock->now()));
    // The result is only read here, and kept alive by this run should the screen go first.
    m_save.run(
        tr("Saving..."),
        [pdf = m_pdf, history = s.history, stem](JobControl& job) {
            job.setTotal(1);
            HistoryStore::Written written =
                history->write(stem, QStringLiteral("pdf"), pdf->pdf().writer());
            job.advance();
            return written;
        },
        [this](const HistoryStore::Written& written) {
            if (written.ok()) {
                services().overlay->showSuccess(tr("Saved!"));
                return;
            }
            m_save.fail(written.error);
            services().alerts->present({tr("PDF Not Saved"),
                                        tr("The PDF could not be saved: %1").arg(written.error),
                                        {{tr("OK"), {}}}});
        });
}

void TextScreen::setArrOfSelectedImages(const QList<Image>& images)
{
    m_arrOfSelectedImages = images;
    emit arrOfSelectedImagesChanged();
}

void TextScreen::setTextFromImage(const QString& text)
{
    if (text == m_textFromImage)
        return;
    m_textFromImage = text;
    emit textFromImageChanged();
}

void TextScreen::setTvText(const QString& text)
{
    if (text == m_tvText)
        return;
    m_tvText = text;
    emit tvTextChanged();
}

void TextScreen::viewDidLoad()
{
    m_ivImage = m_arrOfSelectedImages.value(0).url();
    emit ivImageChanged();
    setTvText(m_textFromImage);
}

void TextScreen::btnBack()
{
    setArrOfSelectedImages({});
    emit endEditing();
    popScreen();
}

void TextScreen::btnCopy()
{
    services().clipboard->setText(m_tvText);
    services().overlay->showSuccess(tr("Copied!"));
}

void TextScreen::btnShare()
{
    services().share->present({ShareItem::fromText(m_tvText)});
}

void TextScreen::btnHome()
{
    goHome();
}

bool TextScreen::textViewShouldChangeText(const QString& replacement)
{
    if (replacement == QLatin1String("\n"))
        emit endEditing();
    return true;
}
