// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF writer's image intake: any bytes that read as an image header either become a page or
// are refused with a reason, never a crash or a PDF with a hole.
#include "FuzzSupport.h"
#include "image/Image.h"
#include "topdf/PdfWriter.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv); // image format plugins are found through it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Image image =
        Image::fromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    // Huge claimed sizes are the decoders' business and only slow the search down.
    if (image.isNull() || qint64(image.pixelSize().width()) * image.pixelSize().height() > 1 << 22)
        return 0;
    QByteArray pdf;
    QBuffer out(&pdf);
    out.open(QIODevice::WriteOnly);
    QString error;
    const bool written = PdfWriter::write({image}, out, error);
    FUZZ_CHECK(written ? pdf.startsWith("%PDF-") && pdf.contains("%%EOF") : !error.isEmpty());
    return 0;
}
