// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfProtection.h"

void PdfProtection::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    emit changed();
}

void PdfProtection::setPasswords(const QString& password, const QString& again)
{
    m_password = password.toUtf8();
    m_same = password == again;
    emit changed();
}

QString PdfProtection::error() const
{
    if (!m_enabled)
        return {};
    if (m_password.isEmpty())
        return tr("Type a password for the PDF.");
    if (!m_same)
        return tr("The two passwords are not the same.");
    return {};
}
