// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScanLogging.h"

Q_LOGGING_CATEGORY(lcScan, "quire.scan", QtInfoMsg)
