// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// libtiff's own lines (a damaged TIFF's "TIFFReadDirectory: ...", from Qt's TIFF plugin as much
// as from Quire's band reader) off stderr; a TIFF that does not read still fails by its result.
// Apart from LibraryChatter so that the compress runner and its helper can quiet it alone.
namespace TiffChatter {
// libtiff writes nothing to stderr from now on, unless QUIRE_CLI_DEBUG is set.
void discard();
} // namespace TiffChatter
