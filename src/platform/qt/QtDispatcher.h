// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dispatcher.h"

// The GUI thread's event loop and Qt's global thread pool.
class QtDispatcher : public Dispatcher
{
  public:
    void async(Task task) override;
    void sync(Task task) override;
    void after(double seconds, Task task) override;
    void background(Task task) override;
};
