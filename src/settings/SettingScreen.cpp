// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingScreen.h"

#include "history/HistoryStore.h"
#include "platform/UrlOpener.h"
#include "platform/UserDefaults.h"
#include "screens/compress/CompressImageScreen.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

SettingScreen::SettingScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Settings"));
}

// NOLINTNEXTLINE(readability-convert-member-functions-to-static): a property QML reads
QString SettingScreen::version() const
{
    return QStringLiteral(QUIRE_VERSION);
}
QString SettingScreen::historyFolder() const
{
    return services().history->historyPath();
}
QString SettingScreen::photoLibraryFolder() const
{
    return services().locations.photoLibrary;
}

RecognitionLanguages* SettingScreen::languages() const
{
    return services().languages;
}

bool SettingScreen::keepLocation() const
{
    return services().defaults->value(CompressImageScreen::kKeepLocationKey).toBool();
}

void SettingScreen::setKeepLocation(bool keep)
{
    if (keep == keepLocation())
        return;
    services().defaults->setValue(CompressImageScreen::kKeepLocationKey, keep);
    services().defaults->synchronize();
    emit keepLocationChanged();
}

void SettingScreen::btnBack()
{
    popScreen();
}

void SettingScreen::btnShareApp()
{
    const QUrl url = StoreAddresses::toUrl(m_addresses.storePage);
    if (url.isEmpty())
        return;
    services().share->present(
        {ShareItem::fromText(tr("Download this awesome OCR app to extract text from image.")),
         ShareItem::fromUrl(url)});
}

void SettingScreen::btnRateApp()
{
    // Written for the record only; nothing reads it back.
    services().defaults->setValue(QStringLiteral("showRate"), QStringLiteral("true"));
    services().defaults->synchronize();
    services().urls->open(QUrl(m_addresses.review));
}

void SettingScreen::btnMoreApps()
{
    const QUrl url = StoreAddresses::toUrl(m_addresses.developerPage);
    if (!url.isEmpty())
        services().urls->open(url);
}

void SettingScreen::openFolder(const QString& path)
{
    services().urls->open(QUrl::fromLocalFile(path));
}
