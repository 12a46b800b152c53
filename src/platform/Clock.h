// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The time source, injectable so file names can be tested.
class Clock
{
  public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00 UTC.
    [[nodiscard]] virtual double now() const = 0;
};
