// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RowSource.h"
#include "image/JpegErrors.h"

#include <QIODevice>

#include <array>
#include <memory>

// A JPEG's rows through libjpeg, optionally shrunk by its DCT scaling, as RGBX.
class JpegRows : public RowSource
{
  public:
    // Takes the device, positioned at the file's start; denominator is 1, 2, 4 or 8.
    JpegRows(std::unique_ptr<QIODevice> device, int denominator);
    ~JpegRows() override;

    // Whether the header read and the rows can be had as RGB.
    [[nodiscard]] bool isOpen() const { return m_open; }
    [[nodiscard]] bool read(uchar* out) override;
    [[nodiscard]] int warnings() const override { return m_errors.warnings; }

  private:
    bool start(int denominator);

    std::unique_ptr<QIODevice> m_device;
    std::array<JOCTET, 65536> m_buffer{};
    jpeg_decompress_struct m_info{};
    jpeg_source_mgr m_source{};
    JpegErrors m_errors;
    bool m_open = false;
};
