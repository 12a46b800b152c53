// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPDF;
class QPDFPageObjectHelper;

// Lays a page of invisible text (a recognised text layer) over a page of a PDF, as viewers show
// the page: turned with it and stretched over its visible area. The page's own content streams
// and resources are left as they are; the layer is drawn by one more stream after them.
namespace TextOverlay {
// Draws the first page of layer over page of pdf. layer must outlive the writing of pdf.
// Throws (qpdf's exceptions, std::runtime_error) when layer has no usable page.
void add(QPDF& pdf, QPDFPageObjectHelper& page, QPDF& layer);
} // namespace TextOverlay
