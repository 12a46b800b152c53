// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Asks libjpeg itself whether a JPEG opens: its headers are read and its decoder set up (which
// refuses layouts such as fractional chroma sampling that no viewer can show), then its first
// rows of pixels are decoded. Cheap: a progressive file is not read to its end for this.
namespace JpegCheck {
[[nodiscard]] bool opens(const char* data, qint64 size);
[[nodiscard]] inline bool opens(const QByteArray& jpeg)
{
    return opens(jpeg.constData(), jpeg.size());
}
} // namespace JpegCheck
