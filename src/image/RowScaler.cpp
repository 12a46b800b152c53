// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RowScaler.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// Source rows taken through the horizontal pass at once: enough to keep OpenCV's per-call setup
// small, few enough to stay a few megabytes at any width.
constexpr int kBand = 32;
} // namespace

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
    : m_from(from), m_to(to), m_out(to, format), m_band(kBand, from.width(), CV_8UC4),
      m_sum(1, to.width(), CV_32FC4, cv::Scalar::all(0))
{
}

void RowScaler::add(const uchar* row)
{
    std::memcpy(m_band.ptr(m_banded), row, size_t(m_from.width()) * 4);
    if (++m_banded == kBand)
        flushBand();
}

void RowScaler::flushBand()
{
    if (m_banded == 0 || m_out.isNull())
        return;
    cv::Mat wide;
    m_band.rowRange(0, m_banded).convertTo(wide, CV_32FC4);
    cv::resize(wide, m_narrow, cv::Size(m_to.width(), m_banded), 0, 0, cv::INTER_AREA);
    // In units of 1 / (from height x to height), exact in integers: source row y spans
    // [y * to, (y + 1) * to) and result row j spans [j * from, (j + 1) * from).
    const qint64 from = m_from.height(), to = m_to.height();
    for (int i = 0; i < m_banded; ++i, ++m_row) {
        qint64 at = m_row * to;
        const qint64 end = at + to;
        while (at < end && m_outRow < to) {
            const qint64 rowEnd = (m_outRow + 1) * from;
            const qint64 take = std::min(end, rowEnd) - at;
            cv::scaleAdd(m_narrow.row(i), double(take), m_sum, m_sum);
            at += take;
            if (at == rowEnd) {
                cv::Mat out(1, m_to.width(), CV_8UC4, m_out.scanLine(m_outRow));
                m_sum.convertTo(out, CV_8U, 1.0 / double(from));
                m_sum.setTo(cv::Scalar::all(0));
                ++m_outRow;
            }
        }
    }
    m_banded = 0;
}

QImage RowScaler::result()
{
    flushBand();
    if (m_outRow < m_to.height())
        return {};
    // The formats the rest of the application draws and encodes fastest.
    return m_out.convertToFormat(m_out.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}
