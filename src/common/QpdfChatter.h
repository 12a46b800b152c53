// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// qpdf's warnings (a damaged PDF's repairs) off stderr; its failures come back as exceptions.
// Apart from LibraryChatter so that a runner which only rewrites PDFs does not link, and load at
// every start, the OCR and Poppler libraries that LibraryChatter quiets as well.
namespace QpdfChatter {
// qpdf writes nothing to stderr from now on, unless QUIRE_CLI_DEBUG is set.
void discard();
} // namespace QpdfChatter
