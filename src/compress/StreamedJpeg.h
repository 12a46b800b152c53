// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"

#include <QByteArray>

// A photo re-encoded as JPEG with its rows streaming from decoder to encoder, so that no bitmap
// of the whole picture is ever held: the way for images too large to decode at once.
namespace StreamedJpeg {
// JPEG bytes of photo as stored (not turned), transparent parts on white, at quality 1..100;
// empty when it cannot be read row by row (see RowSource::open) or its data is damaged.
[[nodiscard]] QByteArray encode(const Image& photo, int quality);
// Whether JPEG bytes decode whole and cleanly, read row by row at an eighth of their size.
[[nodiscard]] bool decodes(const QByteArray& jpeg);
} // namespace StreamedJpeg
