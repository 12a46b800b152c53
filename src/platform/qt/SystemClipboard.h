// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

// The desktop clipboard.
class SystemClipboard : public Clipboard
{
  public:
    void setText(const QString& text) override { QGuiApplication::clipboard()->setText(text); }
    [[nodiscard]] QString text() const override { return QGuiApplication::clipboard()->text(); }
    void setImage(const QImage& image) override { QGuiApplication::clipboard()->setImage(image); }
    void setUrls(const QList<QUrl>& urls) override
    {
        auto* mime = new QMimeData;
        mime->setUrls(urls);
        QGuiApplication::clipboard()->setMimeData(mime); // the clipboard owns it
    }
};
