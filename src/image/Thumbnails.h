// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QUrl>

// Grid thumbnails: image://thumbs/ URLs and the cached, decoded-at-size pictures behind them.
class Thumbnails
{
  public:
    // image://thumbs/<id>: the photo at path, decoded off the GUI thread at the size asked for.
    [[nodiscard]] static QUrl url(const QString& path);
    [[nodiscard]] static QString pathOfId(const QString& id);
    // The photo decoded so that it covers bound (never larger than it is), upright; cached.
    [[nodiscard]] static QImage image(const QString& path, const QSize& bound);
    static void clearCache();
};
