// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Logging.h"

Q_LOGGING_CATEGORY(lcUi, "quire.ui")
Q_LOGGING_CATEGORY(lcHome, "quire.home")
Q_LOGGING_CATEGORY(lcHistory, "quire.history")
Q_LOGGING_CATEGORY(lcPdf, "quire.pdf")
Q_LOGGING_CATEGORY(lcOcr, "quire.ocr")
