// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppDelegate.h"

#include "history/HistoryStore.h"
#include "platform/UserDefaults.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"

// NOLINTNEXTLINE(readability-make-member-function-const): it sets up the shared services
bool AppDelegate::didFinishLaunching()
{
    ProgressOverlay& overlay = *m_services.overlay;
    overlay.setDefaultStyle(1);    // dark
    overlay.setDefaultMaskType(4); // gradient: dims and takes every touch
    overlay.setMinimumDismissTimeInterval(3.0);

    UserDefaults& defaults = *m_services.defaults;
    if (!defaults.value(QStringLiteral("isFirstTime")).isValid()) {
        defaults.setValue(QStringLiteral("isFirstTime"), QStringLiteral("No"));
        defaults.synchronize();
        m_services.history->createFolder(QStringLiteral("History"));
    }
    return true;
}
