// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CoefficientMapper.h"

#include <QByteArray>

#include <array>
#include <cstdio>
#include <jpeglib.h>

class RecordedScan;

// Writes a baseline JPEG file byte for byte as libjpeg writes it with optimize_coding, from a
// compressor set up for it (size, sampling, tables, JFIF) and the quantized blocks, with its scan
// coded on several cores by ScanEncoder. No libjpeg function is called.
class BaselineWriter
{
  public:
    // rows[c][y][x]: component c's blocks in natural order, at least those holding picture. Empty
    // for a setup it does not write that way (not baseline, restart markers, an Adobe marker) or
    // a coefficient beyond baseline's range.
    [[nodiscard]] static QByteArray write(const jpeg_compress_struct& setup,
                                          const std::array<const JBLOCKROW*, 4>& rows,
                                          const QByteArray& exif, const JOCTET* icc,
                                          unsigned int iccSize, int parts);
    // The same from a scan recorded with its new quantization, the picture's own MCUs.
    [[nodiscard]] static QByteArray
    write(const jpeg_compress_struct& setup, const RecordedScan& scan,
          const std::array<const CoefficientMapper*, MAX_COMPONENTS>& mappers,
          const QByteArray& exif, const JOCTET* icc, unsigned int iccSize, int parts);
};
