// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RowSource.h"
#include "StreamHeader.h"

#include <QIODevice>

#include <tiffio.h>

#include <memory>
#include <vector>

// A TIFF's first image through libtiff, a band of strips or tiles at a time, as 8-bit RGBA with
// premultiplied alpha: what libtiff can turn into RGBA (any bit depth up to 16, grey, palette,
// CMYK, YCbCr), in the order its rows are stored.
class TiffRows : public RowSource
{
  public:
    explicit TiffRows(std::unique_ptr<QIODevice> device);
    ~TiffRows() override;

    // Whether the header read and a band of it stays small.
    [[nodiscard]] bool isOpen() const { return m_open; }
    [[nodiscard]] bool read(uchar* out) override;
    [[nodiscard]] int warnings() const override { return m_warnings; }

    // What the header of the TIFF at the device's position says about reading it by bands.
    static StreamHeader header(QIODevice& device);

  private:
    bool readBand();

    std::unique_ptr<QIODevice> m_device;
    TIFF* m_tiff = nullptr;
    TIFFRGBAImage m_image{};
    bool m_begun = false;
    std::vector<uint32_t> m_band;
    int m_bandRows = 0; // rows libtiff is asked for at once: whole strips or tiles
    int m_first = 0;    // the first row held
    int m_held = 0;
    int m_next = 0; // the next row handed out
    int m_warnings = 0;
    bool m_open = false;
};
