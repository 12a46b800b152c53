// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// What page detection and orientation saw; QT_LOGGING_RULES="quire.scan.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcScan)
