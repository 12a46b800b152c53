// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// The small persistent key-value store ("isFirstTime", "showRate").
class UserDefaults
{
  public:
    virtual ~UserDefaults() = default;
    [[nodiscard]] virtual QVariant value(const QString& key) const = 0;
    virtual void setValue(const QString& key, const QVariant& value) = 0;
    virtual void synchronize() = 0;
};
