// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QtQmlIntegration/qqmlintegration.h>

// The "Protect with a password" option of a PDF about to be written: whether it is on, and the
// password typed twice. The password lives here only until the screen goes.
class PdfProtection : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Held by the screens that write PDFs")
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY changed)
    // What is wrong with the passwords typed; empty when they will do (or the option is off).
    Q_PROPERTY(QString error READ error NOTIFY changed)
  public:
    using QObject::QObject;

    [[nodiscard]] bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    Q_INVOKABLE void setPasswords(const QString& password, const QString& again);
    [[nodiscard]] QString error() const;
    // The password to write with: empty when the option is off.
    [[nodiscard]] QByteArray password() const { return m_enabled ? m_password : QByteArray(); }

  signals:
    void changed();

  private:
    QByteArray m_password;
    bool m_enabled = false;
    bool m_same = true;
};
