// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clock.h"

#include <QDateTime>

// The wall clock.
class SystemClock : public Clock
{
  public:
    [[nodiscard]] double now() const override
    {
        return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
    }
};
