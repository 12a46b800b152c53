// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The scan splitter: where reading a progressive JPEG may stop, and the byte ranges two readers
// share it by. Both must stay inside the file and keep its order.
#include "FuzzSupport.h"
#include "compress/ScanCut.h"

#include <QByteArray>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray jpeg =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const std::array<int, 4>& steps :
         {std::array{1, 1, 1, 1}, std::array{10, 17, 17, 17}, std::array{40, 68, 68, 68}}) {
        const qsizetype cut = ScanCut::find(jpeg, steps);
        FUZZ_CHECK(cut >= 0 && cut <= jpeg.size());
        const auto readers = ScanCut::split(jpeg, cut);
        FUZZ_CHECK(readers[0].empty() == readers[1].empty());
        for (const ScanCut::Ranges& ranges : readers) {
            qsizetype last = 0;
            for (const auto& [offset, length] : ranges) {
                FUZZ_CHECK(offset >= last && length >= 0 && offset + length <= cut);
                last = offset + length;
            }
        }
    }
    return 0;
}
