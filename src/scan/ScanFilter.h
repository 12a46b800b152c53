// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <optional>

// How a corrected page is cleaned up: left as photographed, grey, a white-paper document, or
// pure black on white.
class ScanFilter
{
  public:
    enum Kind
    {
        Original,
        Greyscale,
        Document,
        BlackWhite
    };

    // "original", "grey", "document", "bw" (as the command line takes them).
    static std::optional<Kind> fromKey(const QString& key);
    static QString key(Kind kind);

    // The page through the filter: RGB32 for Original and Document, Grayscale8 for Greyscale,
    // Grayscale8 holding only 0 and 255 for BlackWhite.
    [[nodiscard]] static QImage apply(const QImage& page, Kind kind);
    // The paper made white: each channel divided by its own estimated paper brightness, which
    // evens out light and shade and takes away a colour cast while keeping every tone of ink.
    [[nodiscard]] static QImage whitened(const QImage& page);
};
