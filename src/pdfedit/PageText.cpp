// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageText.h"

#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <QLoggingCategory>

#include <exception>

namespace {
Q_LOGGING_CATEGORY(lcPageText, "quire.pagetext")

// Watches the operators of a content stream for one that shows a non-empty string.
class TextFinder : public QPDFObjectHandle::ParserCallbacks
{
  public:
    void handleObject(QPDFObjectHandle object) override
    {
        if (object.isOperator()) {
            const std::string op = object.getOperatorValue();
            if (op == "Tj" || op == "'" || op == "\"" || op == "TJ")
                m_found = m_found || m_showsString;
            m_showsString = false;
        } else if (object.isString()) {
            m_showsString = m_showsString || !object.getStringValue().empty();
        } else if (object.isArray()) {
            for (QPDFObjectHandle item : object.aitems())
                m_showsString =
                    m_showsString || (item.isString() && !item.getStringValue().empty());
        }
    }
    void handleEOF() override {}
    [[nodiscard]] bool found() const { return m_found; }

  private:
    bool m_showsString = false; // among the operands since the last operator
    bool m_found = false;
};

bool shows(QPDFPageObjectHelper drawing)
{
    TextFinder finder;
    try {
        drawing.parseContents(&finder);
    } catch (const std::exception& e) {
        // Damaged content: whatever was found before the damage stands.
        qCDebug(lcPageText) << "content not read to its end:" << e.what();
    }
    return finder.found();
}
} // namespace

namespace PageText {

bool has(QPDFPageObjectHelper& page)
{
    if (shows(page))
        return true;
    bool found = false;
    try {
        page.forEachFormXObject(
            true, [&found](QPDFObjectHandle& form, QPDFObjectHandle&, std::string const&) {
                found = found || shows(QPDFPageObjectHelper(form));
            });
    } catch (const std::exception& e) {
        qCDebug(lcPageText) << "forms not read:" << e.what();
    }
    return found;
}

} // namespace PageText
