// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// Helpers every benchmark shares.
namespace bench {
// Peak resident memory of this process so far, in MB.
[[nodiscard]] double peakRssMB();
// Adds camera-sensor-like noise (±8 per channel), so a picture's JPEG is camera-sized.
void addSensorNoise(QImage& image, quint32 seed);
} // namespace bench
