// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShrinkPlan.h"

#include <qpdf/Buffer.hh>

#include <algorithm>

namespace {
// Unfiltered streams shorter than this are not worth a filter.
constexpr qsizetype kWorthDeflating = 64;
// A stream that is no image may inflate to at most this many times its size, and this much.
constexpr qint64 kInflateRatio = 64;
constexpr qint64 kInflateFloor = 64 << 20;

// The one filter a stream has, empty for none, "?" for a chain or anything else.
std::string onlyFilter(QPDFObjectHandle filter)
{
    if (filter.isNull())
        return {};
    if (filter.isArray() && filter.getArrayNItems() == 0)
        return {};
    if (filter.isArray() && filter.getArrayNItems() == 1)
        filter = filter.getArrayItem(0);
    if (!filter.isName())
        return "?";
    const std::string name = filter.getName();
    return name == "/Fl" ? "/FlateDecode" : name == "/DCT" ? "/DCTDecode" : name;
}

bool noParms(QPDFObjectHandle parms)
{
    if (parms.isArray() && parms.getArrayNItems() == 1)
        parms = parms.getArrayItem(0);
    return parms.isNull() || (parms.isDictionary() && parms.getKeys().empty());
}

// Samples per pixel of a colour space whose samples may be averaged: gray or RGB; 0 otherwise.
int plainComponents(QPDFObjectHandle space)
{
    if (space.isNameAndEquals("/DeviceGray"))
        return 1;
    if (space.isNameAndEquals("/DeviceRGB"))
        return 3;
    if (space.isArray() && space.getArrayNItems() == 2 &&
        space.getArrayItem(0).isNameAndEquals("/ICCBased") && space.getArrayItem(1).isStream()) {
        QPDFObjectHandle n = space.getArrayItem(1).getDict().getKey("/N");
        if (n.isInteger() && (n.getIntValue() == 1 || n.getIntValue() == 3))
            return int(n.getIntValue());
    }
    return 0;
}

QByteArray bytesOf(const std::shared_ptr<Buffer>& buffer)
{
    return {reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize())};
}
// An image's samples, or empty when qpdf cannot decode them (the image is then not scaled).
QByteArray decoded(QPDFObjectHandle stream)
{
    try {
        return bytesOf(stream.getStreamData(qpdf_dl_generalized));
    } catch (const std::exception&) {
        return {};
    }
}
} // namespace

ShrinkPlan::ShrinkPlan(QPDF& pdf, const std::vector<int>& qualities,
                       const std::map<QPDFObjGen, double>& scales)
{
    for (QPDFObjectHandle& object : pdf.getAllObjects())
        if (object.isStream())
            add(object, qualities, scales);
}

void ShrinkPlan::add(QPDFObjectHandle stream, const std::vector<int>& qualities,
                     const std::map<QPDFObjGen, double>& scales)
{
    QPDFObjectHandle dict = stream.getDict();
    Entry entry{stream,
                dict.getKey("/Filter"),
                dict.getKey("/DecodeParms"),
                dict.getKey("/ColorSpace"),
                {}};
    StreamJob& job = entry.job;
    const std::string filter = onlyFilter(entry.filter);
    const bool image = dict.getKey("/Subtype").isNameAndEquals("/Image");
    if (image) {
        QPDFObjectHandle w = dict.getKey("/Width");
        QPDFObjectHandle h = dict.getKey("/Height");
        if (w.isInteger() && h.isInteger() && w.getIntValue() > 0 && h.getIntValue() > 0 &&
            w.getIntValue() < (1 << 16) && h.getIntValue() < (1 << 16))
            job.size = QSize(int(w.getIntValue()), int(h.getIntValue()));
        const bool stencil =
            dict.getKey("/ImageMask").isBool() && dict.getKey("/ImageMask").getBoolValue();
        const bool eightBits = dict.getKey("/BitsPerComponent").isInteger() &&
                               dict.getKey("/BitsPerComponent").getIntValue() == 8;
        // A colour-key mask names exact sample values: averaging or requantizing moves them.
        const bool keyed = dict.getKey("/Mask").isArray();
        if (!stencil && eightBits && !keyed && job.size.isValid())
            job.components = plainComponents(dict.getKey("/ColorSpace"));
        const auto scale = scales.find(stream.getObjGen());
        if (job.components > 0 && scale != scales.end())
            job.scale = scale->second;
        // A decode array or a mask (its matte colour) counts the colour components.
        job.mayTurnGray = job.components == 3 && dict.getKey("/Decode").isNull() &&
                          dict.getKey("/SMask").isNull() && dict.getKey("/Mask").isNull();
    }
    if (filter == "/DCTDecode") {
        if (job.components == 0 || !noParms(entry.parms))
            return;
        job.kind = StreamJob::Kind::Jpeg;
        job.qualities = qualities;
    } else if (filter == "/FlateDecode") {
        job.inflateFirst = true;
        if (job.scale < 1)
            job.samples = decoded(stream); // with any predictor undone
    } else if (filter.empty() && noParms(entry.parms) &&
               !dict.getKey("/Type").isNameAndEquals("/Metadata")) {
        job.inflateFirst = false;
        if (job.scale < 1)
            job.samples = decoded(stream);
    } else {
        return;
    }
    job.stored = bytesOf(stream.getRawStreamData());
    if (job.kind == StreamJob::Kind::Deflate && !job.inflateFirst &&
        job.stored.size() < kWorthDeflating)
        return;
    // An image inflates to its rows of samples, each behind a predictor's tag byte at most.
    const qint64 rows = job.size.isValid() ? qint64(job.size.height()) : 0;
    const qint64 rowBytes = qint64(job.size.width()) * 4 * 2 + 1;
    job.inflateLimit = image && rows > 0
                           ? rows * rowBytes + 64
                           : std::max(kInflateFloor, qint64(job.stored.size()) * kInflateRatio);
    m_entries.push_back(std::move(entry));
}

bool ShrinkPlan::apply(Entry& entry, size_t index)
{
    const StreamJob& job = entry.job;
    const QByteArray* bytes =
        index < job.encoded.size() && !job.encoded[index].isEmpty() ? &job.encoded[index] : nullptr;
    QPDFObjectHandle dict = entry.stream.getDict();
    const bool scaled = bytes && job.newSize.isValid();
    if (bytes) {
        const bool jpeg = job.kind == StreamJob::Kind::Jpeg;
        auto filter = QPDFObjectHandle::newName(jpeg ? "/DCTDecode" : "/FlateDecode");
        if (jpeg && job.deflated[index])
            filter = QPDFObjectHandle::parse("[/FlateDecode /DCTDecode]");
        // Scaled samples were deflated without a predictor.
        const QPDFObjectHandle parms =
            jpeg || scaled || !job.inflateFirst ? QPDFObjectHandle::newNull() : entry.parms;
        entry.stream.replaceStreamData(bytes->toStdString(), filter, parms);
    } else {
        entry.stream.replaceStreamData(job.stored.toStdString(), entry.filter, entry.parms);
    }
    const QSize size = scaled ? job.newSize : job.size;
    if (job.size.isValid()) {
        dict.replaceKey("/Width", QPDFObjectHandle::newInteger(size.width()));
        dict.replaceKey("/Height", QPDFObjectHandle::newInteger(size.height()));
        if (job.turnedGray)
            dict.replaceKey("/ColorSpace",
                            scaled ? QPDFObjectHandle::newName("/DeviceGray") : entry.space);
    }
    // The bytes are final: the writer is not to filter them again.
    entry.stream.setFilterOnWrite(false);
    return bytes != nullptr;
}
