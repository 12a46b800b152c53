// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a photo's capture time from the EXIF block at the head of its file.
#include "FuzzSupport.h"
#include "platform/qt/FolderPhotoLibrary.h"

#include <QDateTime>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray head(reinterpret_cast<const char*>(data), qsizetype(size));
    const QDateTime fallback = QDateTime::fromSecsSinceEpoch(1700000000);
    const QDateTime taken = FolderPhotoLibrary::captureTimeOf(head, fallback);
    FUZZ_CHECK(taken.isValid());
    return 0;
}
