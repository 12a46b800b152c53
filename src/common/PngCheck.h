// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Whether libpng reads a PNG to its end, one row at a time and silently. Qt's reader prints
// libpng's errors on stderr itself; a PNG that passes this gives it none to print.
namespace PngCheck {
[[nodiscard]] bool reads(const uchar* data, qint64 size);
} // namespace PngCheck
