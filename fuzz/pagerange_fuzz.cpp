// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Page ranges as people type them: whatever reads must write out and read back the same, and
// name only pages that exist.
#include "FuzzSupport.h"
#include "common/PageRange.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int pageCount = data[0];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    QString error;
    const auto range = PageRange::parse(text, &error);
    if (!range) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    const QList<int> pages = range->indices(pageCount);
    FUZZ_CHECK(pages.size() <= pageCount);
    for (int p : pages)
        FUZZ_CHECK(p >= 0 && p < pageCount);
    const auto again = PageRange::parse(range->toString());
    FUZZ_CHECK(again && again->toString() == range->toString());
    FUZZ_CHECK(again->indices(pageCount) == pages);
    return 0;
}
