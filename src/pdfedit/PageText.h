// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPDFPageObjectHelper;

// Whether a page of a PDF shows any text of its own, read from its content streams and the forms
// they draw, so that a scanned page can be told from one whose text is already there.
namespace PageText {
// True when the page or one of its forms shows a non-empty string, visible or not: a text layer
// added earlier counts as text. A stream qpdf cannot parse counts as showing none.
[[nodiscard]] bool has(QPDFPageObjectHelper& page);
} // namespace PageText
