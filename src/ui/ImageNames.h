// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QUrl>

// What a screen reader calls a picture on screen: the name of the file it was read from.
class ImageNames : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
  public:
    using QObject::QObject;
    // The file name behind an image://quire/ or file: URL; empty for pixels made in memory.
    Q_INVOKABLE [[nodiscard]] static QString fileName(const QUrl& url);
};
