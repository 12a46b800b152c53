// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Sizes typed to compress under ("500k", "2m", "1.5 MB"): any text gives no size or a size in
// range, and every size as shown to the user reads back as about the same size.
#include "FuzzSupport.h"
#include "compress/SizeTarget.h"

#include <QString>

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qint64 bytes = SizeTarget::parse(text);
    FUZZ_CHECK(bytes == 0 || (bytes >= 1 && bytes <= qint64(1e15)));
    if (bytes > 0) {
        const qint64 back = SizeTarget::parse(SizeTarget::text(bytes));
        FUZZ_CHECK(back > 0);
        // Three significant digits are shown: within half a percent.
        FUZZ_CHECK(std::abs(double(back - bytes)) <= 0.006 * double(bytes));
    }
    return 0;
}
