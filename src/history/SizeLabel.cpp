// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SizeLabel.h"

#include <algorithm>

QString sizeLabel(qint64 bytes)
{
    // A file of a few hundred bytes is not "0 kb".
    if (bytes < 1000)
        return QString::number(std::max<qint64>(bytes, 0)) + QStringLiteral(" bytes");
    // Below 1,000,000 the megabyte figure would read "0 mb", so stay in kilobytes until then.
    if (bytes < 1000000)
        return QString::number(bytes / 1000) + QStringLiteral(" kb");
    return QString::number(bytes / 1000000) + QStringLiteral(" mb");
}
