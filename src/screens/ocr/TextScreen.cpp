// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextScreen.h"

#include "platform/Clipboard.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

TextScreen::TextScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Text"));
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
