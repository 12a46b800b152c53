// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ShareSheet.h"

#include <QString>

// Turns share items into files: a suggested name for each, and its content written whole.
namespace ShareFiles {
// "report.pdf" for file bytes, "<photo>.png" or "Image.png" for pictures, "Text.txt" for text.
QString suggestedName(const ShareItem& item);
// Writes the item's bytes, PNG or text whole into folder as name, or as "name-2.ext", ... when
// that is taken: nothing already there is replaced unless replace says so. The path written, or
// empty with the reason. A picture read from a PNG file is copied as it is, not encoded again.
QString write(const ShareItem& item, const QString& folder, const QString& name, QString& error,
              bool replace = false);
} // namespace ShareFiles
