// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RangeSource.h"
#include "image/JpegErrors.h"

#include <cstdio>
#include <jpeglib.h>

// Starts a reader on source and reads the header, keeping the EXIF and ICC markers when asked;
// false when there is no readable header. created says whether info needs destroying.
bool openJpegReader(jpeg_decompress_struct& info, JpegErrors& errors, RangeSource& source,
                    bool& created, bool keepMarkers);

// Reads the scans of a progressive JPEG other than its luma AC ones (the DC of every component and
// the chroma), on another core while the luma AC scans are read.
struct SecondReader
{
    RangeSource source;
    JpegErrors errors{};
    jpeg_decompress_struct info{};
    bool created = false;
    jvirt_barray_ptr* arrays = nullptr;

    bool read();
    ~SecondReader();
    SecondReader() = default;
    SecondReader(const SecondReader&) = delete;
    SecondReader& operator=(const SecondReader&) = delete;
};
