// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

// Hands addresses and folders to the desktop (browser, file manager, default apps).
class UrlOpener
{
  public:
    virtual ~UrlOpener() = default;
    virtual bool open(const QUrl& url) = 0;
};
