#include "SettingScreen.h"

#include "compress/CompressImageScreen.h"
#include "history/HistoryStore.h"
#include "platform/UrlOpener.h"
#include "platform/UserDefaults.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"

SettingScreen::SettingScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(QStringLiteral("Settings"));
}

QString SettingScreen::version() const
{
    return QStringLiteral(QUIRE_VERSION);
}
QString SettingScreen::historyFolder() const
{
    return m_services.history->historyPath();
}
QString SettingScreen::photoLibraryFolder() const
{
    return m_services.locations.photoLibrary;
}

RecognitionLanguages* SettingScreen::languages() const
{
    return m_services.languages;
}

bool SettingScreen::keepLocation() const
{
    return m_services.defaults->value(CompressImageScreen::kKeepLocationKey).toBool();
}

void SettingScreen::setKeepLocation(bool keep)
{
    if (keep == keepLocation())
        return;
    m_services.defaults->setValue(CompressImageScreen::kKeepLocationKey, keep);
    m_services.defaults->synchronize();
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
    m_services.share->present({ShareItem::fromText(QStringLiteral(
                                   "Download this awesome OCR app to extract text from image.")),
                               ShareItem::fromUrl(url)});
}

void SettingScreen::btnRateApp()
{
    // Written for the record only; nothing reads it back.
    m_services.defaults->setValue(QStringLiteral("showRate"), QStringLiteral("true"));
    m_services.defaults->synchronize();
    m_services.urls->open(QUrl(m_addresses.review));
}

void SettingScreen::btnMoreApps()
{
    const QUrl url = StoreAddresses::toUrl(m_addresses.developerPage);
    if (!url.isEmpty())
        m_services.urls->open(url);
}

void SettingScreen::openFolder(const QString& path)
{
    m_services.urls->open(QUrl::fromLocalFile(path));
}
