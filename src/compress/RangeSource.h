// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScanCut.h"

#include <cstdio>
#include <jpeglib.h>

// Feeds a libjpeg reader byte ranges of one buffer, then an end of image: a JPEG with some of its
// scans left out (or cut short) without copying the rest.
class RangeSource
{
  public:
    // What to feed; data must outlive the reader.
    void set(const char* data, ScanCut::Ranges ranges);
    void attach(j_decompress_ptr info);

  private:
    boolean fill();
    void skip(long count);
    static RangeSource* of(j_decompress_ptr info);

    jpeg_source_mgr m_pub{}; // first: libjpeg hands back its address
    const char* m_data = nullptr;
    ScanCut::Ranges m_ranges;
    size_t m_next = 0;
};
