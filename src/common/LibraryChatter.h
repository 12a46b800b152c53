// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Libraries (Leptonica, the PDF libraries, Qt's image plugins) print their own lines to stderr,
// which would drown Quire's own messages (and break the command line's one line per failed
// input). quiet() turns them off through each library's own switch, unless QUIRE_CLI_DEBUG is
// set. stderr itself is never closed or diverted: crash and sanitizer reports must reach it.
namespace LibraryChatter {
// Qt's messages are kept all (everything) or only the fatal ones.
void quiet(bool everything);
} // namespace LibraryChatter
