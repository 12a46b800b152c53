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
