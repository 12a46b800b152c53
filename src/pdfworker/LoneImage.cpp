// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoneImage.h"

#include "PageDrawing.h"
#include "common/LocalPath.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <QFileInfo>
#include <QLoggingCategory>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {
Q_LOGGING_CATEGORY(lcLone, "quire.pdfworker.lone")

// How far the picture's own size may be from the size asked for.
constexpr double kNear = 0.05;
// How far, in points, its placement may be from the page's edges.
constexpr double kEdge = 0.5;

// Every operand and operator of a page's content, in order.
class Items : public QPDFObjectHandle::ParserCallbacks
{
  public:
    void handleObject(QPDFObjectHandle item) override { all.push_back(item); }
    void handleEOF() override {}

    std::vector<QPDFObjectHandle> all;
};

bool isOperator(QPDFObjectHandle& item, const char* name)
{
    return item.isOperator() && item.getOperatorValue() == name;
}

// The numbers before item at, count of them; false when any is not a number.
bool numbersBefore(std::vector<QPDFObjectHandle>& items, size_t at, size_t count, double* out)
{
    if (at < count)
        return false;
    for (size_t i = 0; i < count; ++i) {
        if (!items[at - count + i].isNumber())
            return false;
        out[i] = items[at - count + i].getNumericValue();
    }
    return true;
}

// The XObject drawn by a content that is "a 0 0 d e f cm /Name Do", with the picture placed
// upright over box, within q and Q or not, clipped to a rectangle around the page or not (as
// some scanning programs write it); empty for anything else.
std::string loneName(std::vector<QPDFObjectHandle>& items, const QPDFObjectHandle::Rectangle& box)
{
    size_t begin = 0;
    size_t end = items.size();
    if (end - begin > 0 && isOperator(items[begin], "q") && isOperator(items[end - 1], "Q")) {
        ++begin;
        --end;
    }
    std::array<double, 6> m{};
    if (end - begin == 16 && isOperator(items[begin + 4], "re") &&
        isOperator(items[begin + 5], "W") && isOperator(items[begin + 6], "n") &&
        numbersBefore(items, begin + 4, 4, m.data())) {
        const bool around = m[0] <= box.llx + kEdge && m[1] <= box.lly + kEdge &&
                            m[0] + m[2] >= box.urx - kEdge && m[1] + m[3] >= box.ury - kEdge;
        if (!around)
            return {};
        begin += 7;
    }
    if (end - begin != 9 || !isOperator(items[begin + 6], "cm") || !items[begin + 7].isName() ||
        !isOperator(items[begin + 8], "Do") || !numbersBefore(items, begin + 6, 6, m.data()))
        return {};
    const bool placed = std::abs(m[0] - (box.urx - box.llx)) <= kEdge && m[1] == 0 && m[2] == 0 &&
                        std::abs(m[3] - (box.ury - box.lly)) <= kEdge &&
                        std::abs(m[4] - box.llx) <= kEdge && std::abs(m[5] - box.lly) <= kEdge;
    return placed ? items[begin + 7].getName() : std::string();
}

// The number of channels of a grey or RGB colour space, device or ICC-based (whose profile, for
// reading text, makes no difference); 0 for any other.
int channelsOf(QPDFObjectHandle space)
{
    if (space.isNameAndEquals("/DeviceGray"))
        return 1;
    if (space.isNameAndEquals("/DeviceRGB"))
        return 3;
    if (!space.isArray() || space.getArrayNItems() != 2 ||
        !space.getArrayItem(0).isNameAndEquals("/ICCBased") || !space.getArrayItem(1).isStream())
        return 0;
    QPDFObjectHandle n = space.getArrayItem(1).getDict().getKey("/N");
    const long long count = n.isInteger() ? n.getIntValue() : 0;
    return count == 1 || count == 3 ? int(count) : 0;
}

bool sameBox(const QPDFObjectHandle::Rectangle& a, const QPDFObjectHandle::Rectangle& b)
{
    return std::abs(a.llx - b.llx) <= kEdge && std::abs(a.lly - b.lly) <= kEdge &&
           std::abs(a.urx - b.urx) <= kEdge && std::abs(a.ury - b.ury) <= kEdge;
}

// The picture named name on page, when it is a plain 8-bit grey or RGB picture: no mask, no
// decode array, no optional content that may hide it, nothing that drawing would change.
QPDFObjectHandle plainPicture(QPDFPageObjectHelper& page, const std::string& name, int& channels)
{
    QPDFObjectHandle picture =
        page.getAttribute("/Resources", false).getKey("/XObject").getKey(name);
    if (!picture.isStream())
        return {};
    QPDFObjectHandle dict = picture.getDict();
    QPDFObjectHandle space = dict.getKey("/ColorSpace");
    channels = channelsOf(space);
    const bool plain = dict.getKey("/Subtype").isNameAndEquals("/Image") && channels > 0 &&
                       dict.getKey("/BitsPerComponent").isInteger() &&
                       dict.getKey("/BitsPerComponent").getIntValue() == 8 &&
                       !dict.hasKey("/SMask") && !dict.hasKey("/Mask") && !dict.hasKey("/OC") &&
                       !dict.hasKey("/Decode") && !dict.hasKey("/ImageMask");
    return plain ? picture : QPDFObjectHandle();
}
} // namespace

LoneImage::LoneImage(const QByteArray& encodedPath, const QByteArray& password)
{
    // A pipe or a device was read once by the PDF library already; it cannot be read again.
    if (!QFileInfo(LocalPath::decode(encodedPath)).isFile())
        return;
    try {
        auto pdf = std::make_unique<QPDF>();
        pdf->setSuppressWarnings(true);
        pdf->processFile(encodedPath.constData(),
                         password.isEmpty() ? nullptr : password.constData());
        m_pages = QPDFPageDocumentHelper(*pdf).getAllPages();
        m_pdf = std::move(pdf);
    } catch (const std::exception& e) {
        qCDebug(lcLone) << "not opened:" << e.what();
    }
}

LoneImage::~LoneImage() = default;

QImage LoneImage::at(int index, double wanted, double& scale)
{
    if (!m_pdf || wanted <= 0)
        return {};
    try {
        if (index < 0 || size_t(index) >= m_pages.size())
            return {};
        QPDFPageObjectHelper& page = m_pages[size_t(index)];
        QPDFObjectHandle dict = page.getObjectHandle();
        QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
        QPDFObjectHandle annotations = dict.getKey("/Annots");
        if ((rotate.isInteger() && rotate.getIntValue() % 360 != 0) || dict.hasKey("/UserUnit") ||
            (annotations.isArray() && annotations.getArrayNItems() > 0))
            return {};
        const auto box = page.getMediaBox().getArrayAsRectangle();
        if (box.urx - box.llx <= 0 || box.ury - box.lly <= 0 ||
            !sameBox(box, page.getCropBox().getArrayAsRectangle()))
            return {};
        Items items;
        page.parseContents(&items);
        const std::string name = loneName(items.all, box);
        int channels = 0;
        QPDFObjectHandle picture =
            name.empty() ? QPDFObjectHandle() : plainPicture(page, name, channels);
        if (!picture.isStream())
            return {};
        QPDFObjectHandle w = picture.getDict().getKey("/Width");
        QPDFObjectHandle h = picture.getDict().getKey("/Height");
        if (!w.isInteger() || !h.isInteger() || w.getIntValue() <= 0 || h.getIntValue() <= 0 ||
            w.getIntValue() * h.getIntValue() > pagedrawing::maxPixelsPerPage)
            return {};
        const int width = int(w.getIntValue());
        const int height = int(h.getIntValue());
        const double across = width / (box.urx - box.llx);
        const double down = height / (box.ury - box.lly);
        if (std::abs(across / wanted - 1) > kNear || std::abs(down / wanted - 1) > kNear)
            return {};
        const std::shared_ptr<Buffer> data = picture.getStreamData(qpdf_dl_all);
        const size_t row = size_t(width) * size_t(channels);
        // Exactly the samples its size and colour space call for: a JPEG whose own components
        // disagree with the colour space is drawn instead, as the renderer makes of it.
        if (!data || data->getSize() != row * size_t(height))
            return {};
        QImage out(width, height, channels == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
        if (out.isNull())
            return {};
        const unsigned char* samples = data->getBuffer();
        for (int y = 0; y < height; ++y, samples += row) {
            if (channels == 1) {
                std::memcpy(out.scanLine(y), samples, row);
                continue;
            }
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (const unsigned char* rgb = samples; rgb < samples + row; rgb += 3)
                *line++ = qRgb(rgb[0], rgb[1], rgb[2]);
        }
        scale = across;
        return out;
    } catch (const std::exception& e) {
        qCDebug(lcLone) << "page" << index + 1 << "drawn instead:" << e.what();
        return {};
    }
}
