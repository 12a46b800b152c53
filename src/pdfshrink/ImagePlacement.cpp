// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImagePlacement.h"

#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QLoggingCategory>

#include <array>
#include <cmath>
#include <vector>

namespace {
Q_LOGGING_CATEGORY(lcPlacement, "quire.pdfshrink.placement")

using Matrix = std::array<double, 6>; // a b c d e f, as cm takes them
constexpr Matrix kIdentity{1, 0, 0, 1, 0, 0};
// Forms inside forms deeper than this are not followed (their images stay as they are).
constexpr int kMaxDepth = 12;
// Images are only scaled when that saves something: at 3/4 of their size or below.
constexpr double kWorthScaling = 0.75;

// m applied after ctm: the new CTM that "m cm" makes.
Matrix times(const Matrix& m, const Matrix& ctm)
{
    return {m[0] * ctm[0] + m[1] * ctm[2],          m[0] * ctm[1] + m[1] * ctm[3],
            m[2] * ctm[0] + m[3] * ctm[2],          m[2] * ctm[1] + m[3] * ctm[3],
            m[4] * ctm[0] + m[5] * ctm[2] + ctm[4], m[4] * ctm[1] + m[5] * ctm[3] + ctm[5]};
}

bool readMatrix(QPDFObjectHandle array, Matrix& m)
{
    if (!array.isArray() || array.getArrayNItems() != 6)
        return false;
    for (int k = 0; k < 6; ++k) {
        QPDFObjectHandle n = array.getArrayItem(k);
        if (!n.isNumber())
            return false;
        m[size_t(k)] = n.getNumericValue();
    }
    return true;
}

struct Scan
{
    std::map<QPDFObjGen, double> lowestPpi; // over every drawing of each image
    std::map<QPDFObjGen, int> readRefs;     // references in the dictionaries read
    std::vector<QPDFObjectHandle> readDicts;
    std::vector<QPDFObjGen> formChain; // the forms being read, against cycles
    bool failed = false;
};

void readContent(Scan& scan, QPDFObjectHandle content, QPDFObjectHandle resources,
                 const Matrix& start, int depth);

// Follows the operators that move the CTM and draw XObjects; everything else is passed by.
class Reader : public QPDFObjectHandle::ParserCallbacks
{
  public:
    Reader(Scan& scan, QPDFObjectHandle resources, const Matrix& start, int depth)
        : m_scan(scan), m_xobjects(resources.isDictionary() ? resources.getKey("/XObject")
                                                            : QPDFObjectHandle::newNull()),
          m_ctm(start), m_depth(depth), m_resources(resources)
    {
    }
    void handleObject(QPDFObjectHandle object) override
    {
        if (!object.isOperator()) {
            m_operands.push_back(object);
            return;
        }
        const std::string op = object.getOperatorValue();
        if (op == "q") {
            m_stack.push_back(m_ctm);
        } else if (op == "Q" && !m_stack.empty()) {
            m_ctm = m_stack.back();
            m_stack.pop_back();
        } else if (op == "cm" && m_operands.size() == 6) {
            Matrix m{};
            if (readMatrix(QPDFObjectHandle::newArray(m_operands), m))
                m_ctm = times(m, m_ctm);
        } else if (op == "Do" && m_operands.size() == 1 && m_operands[0].isName()) {
            draw(m_operands[0].getName());
        }
        m_operands.clear();
    }
    void handleEOF() override {}

  private:
    void draw(const std::string& name)
    {
        if (!m_xobjects.isDictionary())
            return;
        QPDFObjectHandle x = m_xobjects.getKey(name);
        if (!x.isStream())
            return;
        QPDFObjectHandle dict = x.getDict();
        if (dict.getKey("/Subtype").isNameAndEquals("/Image")) {
            const double w = std::hypot(m_ctm[0], m_ctm[1]);
            const double h = std::hypot(m_ctm[2], m_ctm[3]);
            QPDFObjectHandle pw = dict.getKey("/Width");
            QPDFObjectHandle ph = dict.getKey("/Height");
            if (!pw.isInteger() || !ph.isInteger())
                return;
            // Drawn at no size, or too small to measure: a density that forbids any scaling.
            const double ppi = w < 1e-3 || h < 1e-3 ? 0
                                                    : std::min(double(pw.getIntValue()) * 72 / w,
                                                               double(ph.getIntValue()) * 72 / h);
            auto [at, fresh] = m_scan.lowestPpi.try_emplace(x.getObjGen(), ppi);
            if (!fresh)
                at->second = std::min(at->second, ppi);
        } else if (dict.getKey("/Subtype").isNameAndEquals("/Form") && m_depth < kMaxDepth) {
            Matrix m = kIdentity;
            readMatrix(dict.getKey("/Matrix"), m);
            QPDFObjectHandle own = dict.getKey("/Resources");
            readContent(m_scan, x, own.isDictionary() ? own : m_resources, times(m, m_ctm),
                        m_depth + 1);
        }
    }

    Scan& m_scan;
    QPDFObjectHandle m_xobjects;
    Matrix m_ctm;
    int m_depth;
    QPDFObjectHandle m_resources;
    std::vector<Matrix> m_stack;
    std::vector<QPDFObjectHandle> m_operands;
};

// Counts the images a resource dictionary names, once per dictionary however often it is read.
// NOLINTNEXTLINE(performance-unnecessary-value-param): qpdf 11's accessors are not const
void countRefs(Scan& scan, QPDFObjectHandle resources)
{
    QPDFObjectHandle xobjects =
        resources.isDictionary() ? resources.getKey("/XObject") : QPDFObjectHandle::newNull();
    if (!xobjects.isDictionary())
        return;
    for (const QPDFObjectHandle& seen : scan.readDicts)
        if (seen.isSameObjectAs(xobjects))
            return;
    scan.readDicts.push_back(xobjects);
    for (auto& [name, x] : xobjects.getDictAsMap())
        if (x.isIndirect())
            ++scan.readRefs[x.getObjGen()];
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): qpdf 11's accessors are not const
void readContent(Scan& scan, QPDFObjectHandle content, QPDFObjectHandle resources,
                 const Matrix& start, int depth)
{
    if (content.isStream()) {
        const QPDFObjGen id = content.getObjGen();
        for (const QPDFObjGen& open : scan.formChain)
            if (open == id)
                return;
        scan.formChain.push_back(id);
    }
    countRefs(scan, resources);
    Reader reader(scan, resources, start, depth);
    try {
        QPDFObjectHandle::parseContentStream(content, &reader);
    } catch (const std::exception& e) {
        qCDebug(lcPlacement) << "content not read:" << e.what();
        scan.failed = true; // what was not read may draw anything: scale nothing
    }
    if (content.isStream())
        scan.formChain.pop_back();
}

// Every reference to an image anywhere in the file, found in the objects' direct parts.
void countAllRefs(QPDFObjectHandle object, std::map<QPDFObjGen, int>& refs, bool top)
{
    if (!top && object.isIndirect()) {
        ++refs[object.getObjGen()];
        return;
    }
    if (object.isStream())
        countAllRefs(object.getDict(), refs, false);
    else if (object.isArray())
        for (QPDFObjectHandle& item : object.getArrayAsVector())
            countAllRefs(item, refs, false);
    else if (object.isDictionary())
        for (auto& [key, value] : object.getDictAsMap())
            countAllRefs(value, refs, false);
}
} // namespace

std::map<QPDFObjGen, double> ImagePlacement::scales(QPDF& pdf, int dpi)
{
    Scan scan;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QPDFObjectHandle unit = page.getObjectHandle().getKey("/UserUnit");
        const double u = unit.isNumber() && unit.getNumericValue() > 0 ? unit.getNumericValue() : 1;
        readContent(scan, page.getObjectHandle().getKey("/Contents"),
                    page.getAttribute("/Resources", false), {u, 0, 0, u, 0, 0}, 0);
    }
    if (scan.failed)
        return {};
    std::map<QPDFObjGen, int> allRefs;
    for (QPDFObjectHandle& object : pdf.getAllObjects())
        countAllRefs(object, allRefs, true);
    std::map<QPDFObjGen, double> result;
    for (const auto& [id, ppi] : scan.lowestPpi) {
        const double factor = ppi > 0 ? dpi / ppi : 1;
        if (factor <= kWorthScaling && scan.readRefs[id] == allRefs[id])
            result.emplace(id, factor);
    }
    return result;
}
