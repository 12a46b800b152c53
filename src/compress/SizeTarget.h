// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A size to fit compressed photos under, as typed and as shown, in the size labels' units and
// words (1 kb = 1000 bytes) but with a decimal where one was typed.
class SizeTarget
{
  public:
    // "500k", "2m", "1.5 MB", "350000" (bytes); 0 when the text is not a size above 0.
    [[nodiscard]] static qint64 parse(const QString& text);
    // "500 kb", "1.5 mb", "900 bytes".
    [[nodiscard]] static QString text(qint64 bytes);
};
