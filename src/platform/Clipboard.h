// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>

// The system pasteboard: text, a picture, or files as a file manager copies them.
class Clipboard
{
  public:
    virtual ~Clipboard() = default;
    virtual void setText(const QString& text) = 0;
    [[nodiscard]] virtual QString text() const = 0;
    virtual void setImage(const QImage& image) = 0;
    virtual void setUrls(const QList<QUrl>& urls) = 0;
};
