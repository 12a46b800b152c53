// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own messages (its image plugins' complaints about a damaged file) on or off stderr. Apart
// from LibraryChatter so that a helper which only reads photos does not link, and load at every
// start, the PDF and OCR libraries that LibraryChatter quiets as well.
namespace QtChatter {
// Only fatal messages reach stderr from now on, unless QUIRE_CLI_DEBUG is set.
void fatalOnly();
} // namespace QtChatter
