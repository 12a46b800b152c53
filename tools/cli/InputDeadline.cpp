// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputDeadline.h"

#include <chrono>

InputDeadline::InputDeadline(const JobControl& run, double seconds, JobControl::Listener listener)
    : m_job(std::move(listener))
{
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                        std::chrono::duration<double>(seconds > 0 ? seconds : 0));
    m_watcher = std::thread([this, &run, end, limited = seconds > 0] {
        std::unique_lock lock(m_mutex);
        // The run's cancel is a flag set in a signal handler: it is looked at, not waited on.
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_stop; })) {
            if (limited && Clock::now() >= end) {
                m_timedOut = true;
                m_job.cancel();
                return;
            }
            if (run.isCancelled()) {
                m_job.cancel();
                return;
            }
        }
    });
}

InputDeadline::~InputDeadline()
{
    {
        std::scoped_lock lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_watcher.join();
}
