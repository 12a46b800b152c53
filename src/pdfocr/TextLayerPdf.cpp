// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextLayerPdf.h"

#include "common/LocalPath.h"

#include <QFile>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cmath>
#include <string>

namespace {
// Every glyph of the font is half an em wide; words are stretched to their width on the page.
constexpr double kGlyphWidth = 0.5;

// Any two-byte code stands for the same Unicode value, so text copied out is the words' own.
const char* const kToUnicode = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                               "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 "
                               ">> def\n/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                               "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
                               "1 beginbfrange\n<0000> <FFFF> <0000>\nendbfrange\nendcmap\n"
                               "CMapName currentdict /CMap defineresource pop\nend\nend\n";

std::string number(double v)
{
    return QString::number(std::abs(v) < 0.0005 ? 0.0 : v, 'f', 3).toStdString();
}

std::string bigEndianHex(const QString& text)
{
    std::string out;
    for (const QChar c : text)
        out += QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toStdString();
    return out;
}

// The glyphless font: one blank glyph that every code draws, its codes mapped back to text.
QPDFObjectHandle glyphlessFont(QPDF& pdf, const QByteArray& ttf)
{
    auto file = pdf.makeIndirectObject(QPDFObjectHandle::newStream(&pdf, ttf.toStdString()));
    file.getDict().replaceKey("/Length1", QPDFObjectHandle::newInteger(ttf.size()));
    std::string toGlyph(size_t(2) * 65536, '\0');
    for (size_t i = 1; i < toGlyph.size(); i += 2)
        toGlyph[i] = 1;
    auto descriptor = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /FontDescriptor /FontName /GlyphLessFont /Flags 5 /FontBBox [0 0 500 1000] "
        "/ItalicAngle 0 /Ascent 1000 /Descent 0 /CapHeight 1000 /StemV 80 >>"));
    descriptor.replaceKey("/FontFile2", file);
    auto cid = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /GlyphLessFont /DW 500 "
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> >>"));
    cid.replaceKey("/FontDescriptor", descriptor);
    cid.replaceKey("/CIDToGIDMap",
                   pdf.makeIndirectObject(QPDFObjectHandle::newStream(&pdf, toGlyph)));
    auto font = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Font /Subtype /Type0 /BaseFont /GlyphLessFont /Encoding /Identity-H >>"));
    font.replaceKey("/DescendantFonts", QPDFObjectHandle::newArray({cid}));
    font.replaceKey("/ToUnicode",
                    pdf.makeIndirectObject(QPDFObjectHandle::newStream(&pdf, kToUnicode)));
    return font;
}

// Each word on its line's baseline (turned with it), as high as the line and as wide as the word.
std::string content(const PageText& page, double height, double scale)
{
    std::string out = "BT\n3 Tr\n";
    for (const PageText::Line& line : page.lines) {
        const QLineF& base = line.baseline;
        const double angle = std::atan2(-(base.y2() - base.y1()), base.x2() - base.x1());
        const double c = std::cos(angle), s = std::sin(angle);
        const double size = std::max(1.0, line.box.height() * scale);
        out += "/F1 " + number(size) + " Tf\n";
        for (const PageText::Word& word : line.words) {
            if (word.text.isEmpty() || word.box.width() <= 0)
                continue; // nothing to stretch over
            // Where the word's left edge meets the baseline.
            const double t = (word.box.left() - base.x1()) / std::max(1.0, base.dx());
            const double x = word.box.left() * scale;
            const double y = height - (base.y1() + t * base.dy()) * scale;
            const double natural = kGlyphWidth * size * double(word.text.size());
            const double stretch = 100.0 * word.box.width() * scale / natural;
            out += number(c) + " " + number(s) + " " + number(-s) + " " + number(c) + " " +
                   number(x) + " " + number(y) + " Tm " + number(stretch) + " Tz [<" +
                   bigEndianHex(word.text) + ">] TJ\n";
        }
    }
    return out + "ET\n";
}
} // namespace

namespace TextLayerPdf {

bool write(const PageText& page, QSize image, double dpi, const QString& fontFile,
           const QString& path, QString& error)
{
    QFile font(fontFile);
    if (!font.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("no glyphless font at %1").arg(fontFile);
        return false;
    }
    const double scale = 72.0 / dpi;
    const double width = image.width() * scale, height = image.height() * scale;
    try {
        QPDF pdf;
        pdf.emptyPDF();
        auto resources = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/Font", QPDFObjectHandle::newDictionary());
        resources.getKey("/Font").replaceKey("/F1", glyphlessFont(pdf, font.readAll()));
        auto dict = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 " + number(width) + " " +
                                            number(height) + "] >>");
        dict.replaceKey("/Resources", resources);
        dict.replaceKey("/Contents",
                        QPDFObjectHandle::newStream(&pdf, content(page, height, scale)));
        QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(dict)),
                                            false);
        // The writer keeps the name it is given until it has written: it must outlive it.
        const QByteArray name = LocalPath::encode(path);
        QPDFWriter writer(pdf, name.constData());
        writer.write();
        return true;
    } catch (const std::exception& e) {
        error = QString::fromStdString(e.what());
        return false;
    }
}

} // namespace TextLayerPdf
