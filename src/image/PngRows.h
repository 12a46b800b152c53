// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RowSource.h"

#include <QIODevice>

#include <png.h>

#include <memory>

// A non-interlaced PNG's rows through libpng, as 8-bit RGBA with premultiplied alpha.
class PngRows : public RowSource
{
  public:
    explicit PngRows(std::unique_ptr<QIODevice> device);
    ~PngRows() override;

    // Whether the header read and the rows come one by one (not interlaced).
    [[nodiscard]] bool isOpen() const { return m_open; }
    [[nodiscard]] bool read(uchar* out) override;
    [[nodiscard]] int warnings() const override { return m_warnings; }

  private:
    std::unique_ptr<QIODevice> m_device;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    int m_warnings = 0;
    bool m_open = false;
};
