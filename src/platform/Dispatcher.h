// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// The two queues every screen uses: the GUI thread's and the background pool.
class Dispatcher
{
  public:
    using Task = std::function<void()>;
    virtual ~Dispatcher() = default;

    // Runs task on the GUI thread later.
    virtual void async(Task task) = 0;
    // Runs task on the GUI thread and waits for it; runs it at once when already there.
    virtual void sync(Task task) = 0;
    // Runs task on the GUI thread after seconds.
    virtual void after(double seconds, Task task) = 0;
    // Runs task on a background thread.
    virtual void background(Task task) = 0;
};
