#pragma once

#include "ShareSheet.h"

#include <QString>

// Turns share items into files: a suggested name for each, and its content written whole.
namespace ShareFiles {
// "report.pdf" for file bytes, "<photo>.png" or "Image.png" for pictures, "Text.txt" for text.
QString suggestedName(const ShareItem& item);
// A path in folder for name that nothing occupies yet ("name-2.ext", ...).
QString freePath(const QString& folder, const QString& name);
// Writes the item's bytes, PNG or text to path, whole or not at all.
bool write(const ShareItem& item, const QString& path, QString& error);
} // namespace ShareFiles
