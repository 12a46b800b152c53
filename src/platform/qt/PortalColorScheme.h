// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QDBusVariant;

// The desktop's colour-scheme preference as the XDG desktop portal tells it (org.freedesktop.
// appearance color-scheme), read once and then followed. Without a portal it never answers.
class PortalColorScheme : public QObject
{
    Q_OBJECT
  public:
    enum Preference
    {
        Unknown,
        Dark,
        Light
    };
    explicit PortalColorScheme(QObject* parent = nullptr);
    [[nodiscard]] Preference preference() const { return m_preference; }

  signals:
    void preferenceChanged();

  private slots:
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value);

  private:
    void set(uint value);
    Preference m_preference = Unknown;
};
