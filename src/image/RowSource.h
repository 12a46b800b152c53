// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Image.h"

#include <QImage>
#include <QSize>

#include <memory>

// An image's stored rows decoded one at a time, top to bottom, four bytes a pixel, so that an
// image of any size passes through a fixed, small amount of memory.
class RowSource
{
  public:
    virtual ~RowSource() = default;
    RowSource(const RowSource&) = delete;
    RowSource& operator=(const RowSource&) = delete;

    // The rows of photo as stored (before its turn). A JPEG shrinks by 2, 4 or 8 while it is
    // read when it still covers atLeast (stored orientation) that way. Null for what cannot be
    // read row by row: formats other than JPEG, PNG and TIFF, interlaced PNGs, CMYK JPEGs, TIFFs
    // in strips or tiles too large to hold a band of.
    [[nodiscard]] static std::unique_ptr<RowSource> open(const Image& photo, QSize atLeast = {});

    [[nodiscard]] QSize size() const { return m_size; }
    // Format_RGBX8888 or Format_RGBA8888_Premultiplied.
    [[nodiscard]] QImage::Format format() const { return m_format; }
    // The next row into out (size().width() * 4 bytes); false on damaged data or past the end.
    [[nodiscard]] virtual bool read(uchar* out) = 0;
    // Damaged data the decoder read past so far.
    [[nodiscard]] virtual int warnings() const { return 0; }

  protected:
    RowSource() = default;
    void setLayout(QSize size, QImage::Format format)
    {
        m_size = size;
        m_format = format;
    }

  private:
    QSize m_size;
    QImage::Format m_format = QImage::Format_RGBX8888;
};
