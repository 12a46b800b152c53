// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegErrors.h"

void JpegErrors::install()
{
    jpeg_std_error(&pub);
    pub.error_exit = [](j_common_ptr info) {
        // pub comes first, so the error manager's address is this one's.
        std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
    };
    pub.output_message = [](j_common_ptr) {};
    pub.emit_message = [](j_common_ptr info, int level) {
        if (level < 0) // a warning; higher levels are trace messages
            ++reinterpret_cast<JpegErrors*>(info->err)->warnings;
    };
}
