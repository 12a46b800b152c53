// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/UrlOpener.h"

#include <QDesktopServices>

// Opens addresses in the browser and files or folders in their default apps.
class DesktopUrlOpener : public UrlOpener
{
  public:
    bool open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};
