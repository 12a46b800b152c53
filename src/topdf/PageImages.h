// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JpegInfo.h"
#include "image/Image.h"

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <QImage>

#include <map>
#include <memory>

class JobControl;
class QPDF;

// The image streams of a PDF being written. Each stream's data is read only when the writer
// reaches it, so one photo at a time is in memory; a JPEG is passed on as its own bytes.
class PageImages : public QPDFObjectHandle::StreamDataProvider,
                   public std::enable_shared_from_this<PageImages>
{
  public:
    // A page's image stream and how its stored pixels lie.
    struct Placed
    {
        QPDFObjectHandle stream;
        QSize stored;
        QImageIOHandler::Transformations transformation;
    };

    Placed add(QPDF& pdf, int page, const Image& image);
    [[nodiscard]] bool needsSixteenBits() const { return m_sixteenBits; }
    // Reports each page as the writer reaches it, and stops the writer when job is cancelled.
    void setJob(JobControl* job) { m_job = job; }

    void provideStreamData(QPDFObjGen const& og, Pipeline* pipeline) override;

  private:
    enum class Part
    {
        Jpeg,
        Colour,
        Alpha
    };
    struct Entry
    {
        int page = 0;
        Image image;
        Part part = Part::Colour;
        JpegInfo jpeg;
        QImage::Format format = QImage::Format_RGB888; // the layout of lossless samples
    };

    Placed addJpeg(QPDF& pdf, Entry entry);
    Placed addLossless(QPDF& pdf, Entry entry);
    static QPDFObjectHandle newImageStream(QPDF& pdf, QSize size, int components, int bits);
    const QImage& decoded(const Entry& entry);

    std::map<QPDFObjGen, Entry> m_entries;
    int m_cachedPage = -1; // the colour and alpha streams of a page share one decode
    QImage m_cached;
    bool m_sixteenBits = false;
    JobControl* m_job = nullptr;
    int m_reportedPage = -1;
};
