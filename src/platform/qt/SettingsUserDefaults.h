// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/UserDefaults.h"

#include <QSettings>

// User defaults kept by QSettings in the user's configuration folder.
class SettingsUserDefaults : public UserDefaults
{
  public:
    [[nodiscard]] QVariant value(const QString& key) const override
    {
        return m_settings.value(key);
    }
    void setValue(const QString& key, const QVariant& value) override
    {
        m_settings.setValue(key, value);
    }
    void synchronize() override { m_settings.sync(); }

  private:
    QSettings m_settings;
};
