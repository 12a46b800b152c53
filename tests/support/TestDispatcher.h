// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dispatcher.h"

#include <vector>

// Deterministic queues for unit tests: background work runs at once on the calling thread,
// main-queue work waits for drain(), delayed work for advance().
class TestDispatcher : public Dispatcher
{
  public:
    void async(Task task) override { m_main.push_back(std::move(task)); }
    void sync(Task task) override { task(); }
    void after(double seconds, Task task) override;
    void background(Task task) override { task(); }

    // Runs main-queue work, including work queued while draining.
    void drain();
    // Moves the clock of delayed work on, running what falls due (and draining after each).
    void advance(double seconds);
    [[nodiscard]] size_t pendingMain() const { return m_main.size(); }
    [[nodiscard]] size_t pendingDelayed() const { return m_delayed.size(); }

  private:
    struct Delayed
    {
        double due;
        Task task;
    };
    std::vector<Task> m_main;
    std::vector<Delayed> m_delayed;
    double m_now = 0;
};
