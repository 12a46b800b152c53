// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

// Libraries (libpng, Leptonica, Tesseract, the PDF library) print their own lines straight to
// the process's stderr, which would drown Quire's own messages (and break the command line's one
// line per failed input). Unless QUIRE_CLI_DEBUG is set, divert() sends stderr to /dev/null and
// hands back a stream on the real one for Quire's own messages; otherwise it gives stderr.
namespace LibraryChatter {
[[nodiscard]] FILE* divert();
// Qt's messages go to the stream divert() gave, formatted as Qt would, all of them or only
// fatal ones.
void logTo(FILE* out, bool everything);
} // namespace LibraryChatter
