// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RowScaler.h"

#include <algorithm>
#include <cmath>

bool RowScaler::suits(const Image& photo)
{
    const QSize size = photo.pixelSize();
    const QByteArray format = photo.sourceFormat();
    if (qint64(size.width()) * size.height() <= kStreamAbove)
        return false;
    if (format == "jpeg")
        return true;
    // An interlaced PNG, or a TIFF in one huge strip or of samples libtiff cannot turn into RGBA,
    // is decoded whole instead; a look at its header says which.
    return (format == "png" || format == "tiff") && RowSource::open(photo) != nullptr;
}

QImage RowScaler::draw(const Image& photo, QSize target)
{
    const QImageIOHandler::Transformations turn = photo.transformation();
    const QSize stored =
        turn & QImageIOHandler::TransformationRotate90 ? target.transposed() : target;
    const auto source = stored.isEmpty() ? nullptr : RowSource::open(photo, stored);
    if (!source || stored.width() > source->size().width() ||
        stored.height() > source->size().height())
        return {};
    RowScaler scaler(source->size(), stored, source->format());
    std::vector<uchar> row(size_t(source->size().width()) * 4);
    for (int y = 0; y < source->size().height(); ++y) {
        if (!source->read(row.data()))
            return {};
        scaler.add(row.data());
    }
    // Turned only now, small: a turn cannot be applied to rows as they pass.
    QImage out = scaler.result();
    out.mirror(turn & QImageIOHandler::TransformationMirror,
               turn & QImageIOHandler::TransformationFlip);
    if (turn & QImageIOHandler::TransformationRotate90)
        out = out.transformed(QTransform().rotate(90));
    return out;
}

RowScaler::RowScaler(QSize from, QSize to, QImage::Format format)
    : m_from(from), m_to(to), m_out(to, format), m_narrow(size_t(to.width()) * 4),
      m_sum(size_t(to.width()) * 4)
{
    // As for rows in add(): source column i spans [i * to, (i + 1) * to) and result column j
    // spans [j * from, (j + 1) * from), so each overlap is a whole number of units.
    const qint64 fromWidth = from.width(), toWidth = to.width();
    m_taps.reserve(size_t(fromWidth + toWidth)); // a tap per column, and one more where two meet
    m_tapEnds.reserve(size_t(toWidth));
    for (qint64 j = 0, i = 0; j < toWidth; ++j) {
        const qint64 start = j * fromWidth, end = start + fromWidth;
        for (i = start / toWidth; i * toWidth < end; ++i) {
            const qint64 overlap = std::min(end, (i + 1) * toWidth) - std::max(start, i * toWidth);
            m_taps.push_back({qsizetype(i * 4), float(double(overlap) / double(fromWidth))});
        }
        m_tapEnds.push_back(int(m_taps.size()));
    }
}

void RowScaler::narrow(const uchar* row)
{
    float* out = m_narrow.data();
    const Tap* tap = m_taps.data();
    for (const int end : m_tapEnds) {
        float sum[4] = {};
        for (; tap != m_taps.data() + end; ++tap)
            for (int c = 0; c < 4; ++c)
                sum[c] += float(row[tap->source + c]) * tap->weight;
        out = std::copy(sum, sum + 4, out);
    }
}

void RowScaler::add(const uchar* row)
{
    if (m_out.isNull())
        return;
    narrow(row);
    // In units of 1 / (from height x to height), exact in integers: source row y spans
    // [y * to, (y + 1) * to) and result row j spans [j * from, (j + 1) * from).
    const qint64 from = m_from.height(), to = m_to.height();
    qint64 at = m_row++ * to;
    const qint64 end = at + to;
    while (at < end && m_outRow < to) {
        const qint64 rowEnd = (m_outRow + 1) * from;
        const qint64 take = std::min(end, rowEnd) - at;
        for (size_t k = 0; k < m_sum.size(); ++k)
            m_sum[k] += m_narrow[k] * float(take);
        at += take;
        if (at == rowEnd) {
            uchar* out = m_out.scanLine(m_outRow++);
            const auto scale = float(1.0 / double(from));
            for (size_t k = 0; k < m_sum.size(); ++k)
                out[k] = uchar(std::clamp(std::lrint(m_sum[k] * scale), 0L, 255L));
            std::ranges::fill(m_sum, 0.0F);
        }
    }
}

QImage RowScaler::result()
{
    if (m_outRow < m_to.height())
        return {};
    // The formats the rest of the application draws and encodes fastest.
    return m_out.convertToFormat(m_out.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}
