// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/JobControl.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// The job of one input: cancelled when the whole run is (an interrupt) or when the input has
// taken longer than its time limit. The job code only ever looks at its own JobControl, so a
// watcher thread carries both over to it.
class InputDeadline
{
  public:
    // seconds <= 0: no limit of its own.
    InputDeadline(const JobControl& run, double seconds, JobControl::Listener listener);
    ~InputDeadline();
    InputDeadline(const InputDeadline&) = delete;
    InputDeadline& operator=(const InputDeadline&) = delete;

    [[nodiscard]] JobControl& job() { return m_job; }
    [[nodiscard]] bool timedOut() const { return m_timedOut; }

  private:
    JobControl m_job;
    std::atomic<bool> m_timedOut = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_watcher;
};
