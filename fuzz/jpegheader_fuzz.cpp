// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The JPEG marker walkers: the header read for embedding in a PDF, and the end-of-image scan
// that tells a whole JPEG from a cut-off one.
#include "FuzzSupport.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "topdf/JpegInfo.h"

#include <QBuffer>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const JpegInfo info = JpegInfo::read(buffer);
    if (info.embeddable()) {
        FUZZ_CHECK(info.size.width() > 0 && info.size.height() > 0);
        FUZZ_CHECK(info.components == 1 || info.components == 3 || info.components == 4);
    }
    const bool whole = FolderPhotoLibrary::jpegIsComplete(data, qint64(size));
    // Cutting a whole JPEG before its end marker never leaves a whole one.
    if (whole && size > 2)
        FUZZ_CHECK(!FolderPhotoLibrary::jpegIsComplete(data, qint64(size) - 2) ||
                   QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size) - 2)
                       .contains("\xff\xd9"));
    return 0;
}
