// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/SizeLabel.h"

#include <QObject>
#include <QQmlEngine>

// The history's size text for lists drawn in QML, so that every list counts sizes alike.
class SizeText : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
  public:
    using QObject::QObject;
    Q_INVOKABLE [[nodiscard]] static QString of(qint64 bytes) { return sizeLabel(bytes); }
};
