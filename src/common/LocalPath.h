// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// File names as the system stores them: bytes, usually but not always UTF-8. A name that is not
// valid UTF-8 (an old Latin-1 camera card, say) keeps each stray byte as a lone surrogate
// (U+DC80..U+DCFF) and gets exactly its bytes back, so such a file can still be opened.
namespace LocalPath {
[[nodiscard]] QString decode(const QByteArray& name);
[[nodiscard]] QByteArray encode(const QString& path);
// Whether path names a folder (links followed), by its bytes.
[[nodiscard]] bool isFolder(const QString& path);
// Makes the folder path and any missing parents, by their bytes: 0 when it is there, else the
// errno of the step that failed.
[[nodiscard]] int makeFolders(const QString& path);
} // namespace LocalPath
