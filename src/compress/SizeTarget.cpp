// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SizeTarget.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

qint64 SizeTarget::parse(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(\d+(?:\.\d+)?)\s*(?:([km])b?|b|bytes?)?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return 0;
    const QString unit = match.captured(2).toLower();
    if (unit.isEmpty() && match.captured(1).contains(QLatin1Char('.')))
        return 0; // bytes are whole
    const double scale = unit == QLatin1String("m") ? 1e6 : unit == QLatin1String("k") ? 1e3 : 1;
    const double bytes = match.captured(1).toDouble() * scale;
    if (!(bytes >= 1) || bytes > 1e15)
        return 0;
    return qint64(std::llround(bytes));
}

QString SizeTarget::text(qint64 bytes)
{
    const QLocale c = QLocale::c();
    // Three significant digits, never in exponent form: 999,600 bytes are "1 MB", not "1e+03 KB".
    if (bytes >= 999'500) {
        const double mb = double(bytes) / 1e6;
        return (mb >= 999.5 ? c.toString(mb, 'f', 0) : c.toString(mb, 'g', 3)) +
               QStringLiteral(" mb");
    }
    if (bytes >= 1000)
        return c.toString(double(bytes) / 1e3, 'g', 3) + QStringLiteral(" kb");
    return c.toString(bytes) + QStringLiteral(" bytes");
}
