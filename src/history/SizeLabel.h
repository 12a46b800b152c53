// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The size text of a file: bytes below a thousand, whole kilobytes below a million, else whole
// megabytes (decimal).
[[nodiscard]] QString sizeLabel(qint64 bytes);
