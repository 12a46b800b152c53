// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <array>
#include <utility>
#include <vector>

// Where the rest of a progressive JPEG only refines low bits that a coarser re-encoding rounds
// away: reading can stop there, which skips up to half of the entropy decoding.
class ScanCut
{
  public:
    // The offset of the first scan not worth reading when each component (in frame order) is
    // re-encoded with quantizer steps of at least outStep[c]; jpeg.size() when every scan counts
    // (baseline files, fine steps, or anything this does not understand).
    [[nodiscard]] static qsizetype find(const QByteArray& jpeg, const std::array<int, 4>& outStep);

    // Byte ranges (offset, length) of a JPEG that a reader is fed one after the other.
    using Ranges = std::vector<std::pair<qsizetype, qsizetype>>;

    // The first end bytes of a progressive JPEG shared by two readers that can run at once: the
    // first gets the AC scans of component 0 (the bulk of the data), the second every other scan,
    // the DC of all components included. Both empty when the file cannot be shared so.
    [[nodiscard]] static std::array<Ranges, 2> split(const QByteArray& jpeg, qsizetype end);
};
