// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SecondReader.h"

#include <csetjmp>

bool openJpegReader(jpeg_decompress_struct& info, JpegErrors& errors, RangeSource& source,
                    bool& created, bool keepMarkers)
{
    info.err = &errors.pub;
    errors.install();
    if (setjmp(errors.jump))
        return false;
    jpeg_create_decompress(&info);
    created = true;
    source.attach(&info);
    if (keepMarkers) {
        jpeg_save_markers(&info, JPEG_APP0 + 1, 0xffff);
        jpeg_save_markers(&info, JPEG_APP0 + 2, 0xffff);
    }
    return jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
}

bool SecondReader::read()
{
    if (!openJpegReader(info, errors, source, created, false))
        return false;
    if (setjmp(errors.jump))
        return false;
    arrays = jpeg_read_coefficients(&info);
    return arrays != nullptr;
}

SecondReader::~SecondReader()
{
    if (created)
        jpeg_destroy_decompress(&info);
}
