// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextOverlay.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <stdexcept>

namespace TextOverlay {

void add(QPDF& pdf, QPDFPageObjectHelper& page, QPDF& layer)
{
    auto pages = QPDFPageDocumentHelper(layer).getAllPages();
    if (pages.empty())
        throw std::runtime_error("The text layer has no page.");
    QPDFObjectHandle form = pdf.copyForeignObject(pages.front().getFormXObjectForPage());

    // The page's resources become its own (they may be inherited or shared with other pages)
    // before a name is added; the objects they name stay shared.
    QPDFObjectHandle resources = page.getAttribute("/Resources", true);
    if (!resources.isDictionary()) {
        resources = QPDFObjectHandle::newDictionary();
        page.getObjectHandle().replaceKey("/Resources", resources);
    }
    QPDFObjectHandle xobjects = resources.getKey("/XObject");
    xobjects = xobjects.isDictionary() ? xobjects.shallowCopy() : QPDFObjectHandle::newDictionary();
    resources.replaceKey("/XObject", xobjects);
    int suffix = 0;
    const std::string name = resources.getUniqueResourceName("/QuireText", suffix);
    xobjects.replaceKey(name, form);

    // The rendered page was the crop box, upright as shown; the layer covers exactly that.
    const auto box = page.getCropBox().getArrayAsRectangle();
    const std::string place = page.placeFormXObject(form, name, box, true, true, true);
    // The page's own drawing may leave its graphics state changed: it is wrapped, not edited.
    page.addPageContents(QPDFObjectHandle::newStream(&pdf, "q\n"), true);
    page.addPageContents(QPDFObjectHandle::newStream(&pdf, "Q\n" + place), false);
}

} // namespace TextOverlay
