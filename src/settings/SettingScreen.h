// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StoreAddresses.h"
#include "ocr/RecognitionLanguages.h"
#include "ui/Screen.h"

#include <QtQmlIntegration/qqmlintegration.h>

// Settings: recommend the app, rate it, see the maker's other apps, and where files go.
class SettingScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QString version READ version CONSTANT)
    Q_PROPERTY(QString historyFolder READ historyFolder CONSTANT)
    Q_PROPERTY(QString photoLibraryFolder READ photoLibraryFolder CONSTANT)
    Q_PROPERTY(RecognitionLanguages* languages READ languages CONSTANT)
    // "Keep location in compressed photos": off unless the user turns it on.
    Q_PROPERTY(bool keepLocation READ keepLocation WRITE setKeepLocation NOTIFY keepLocationChanged)
  public:
    explicit SettingScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QString version() const;
    [[nodiscard]] QString historyFolder() const;
    [[nodiscard]] QString photoLibraryFolder() const;
    [[nodiscard]] RecognitionLanguages* languages() const;
    void setAddresses(const StoreAddresses& addresses) { m_addresses = addresses; }
    [[nodiscard]] bool keepLocation() const;
    void setKeepLocation(bool keep);

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnShareApp();
    Q_INVOKABLE void btnRateApp();
    Q_INVOKABLE void btnMoreApps();
    // Opens a folder shown on the screen in the file manager.
    Q_INVOKABLE void openFolder(const QString& path);

  signals:
    void keepLocationChanged();

  private:
    StoreAddresses m_addresses;
};
