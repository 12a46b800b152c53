// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

// A libjpeg error manager whose fatal errors return to jump (set with setjmp before each call
// into libjpeg) and whose warnings print nothing but are counted: a damaged photo is reported
// once, by its caller.
struct JpegErrors
{
    jpeg_error_mgr pub{};
    std::jmp_buf jump{};
    int warnings = 0;

    // Sets pub up; point the codec's err at &pub.
    void install();
};
