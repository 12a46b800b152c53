// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <mutex>

// What a long job's own code sees of whoever runs it: where to report progress, whether to stop.
// Safe to use from any thread; the listener is called on the reporting thread.
class JobControl
{
  public:
    using Listener = std::function<void(int done, int total, const QString& label)>;

    JobControl() = default;
    explicit JobControl(Listener listener) : m_listener(std::move(listener)) {}

    void setTotal(int total)
    {
        m_total = total;
        notify();
    }
    // A new stage of the same job counted from nothing, so that five photos read and then
    // written show "3 of 5" in each stage rather than "8 of 10".
    void beginStage(int total, const QString& label = {})
    {
        m_done = 0;
        m_total = total;
        setLabel(label);
    }
    // One more unit of work (a page, a photo) is done; label says what comes next or what it was.
    void advance(const QString& label = {})
    {
        ++m_done;
        setLabel(label);
    }
    void setLabel(const QString& label)
    {
        {
            std::scoped_lock lock(m_mutex);
            m_label = label;
        }
        notify();
    }

    void cancel() { m_cancelled = true; }
    [[nodiscard]] bool isCancelled() const { return m_cancelled; }

    [[nodiscard]] int done() const { return m_done; }
    [[nodiscard]] int total() const { return m_total; }
    [[nodiscard]] QString label() const
    {
        std::scoped_lock lock(m_mutex);
        return m_label;
    }

  private:
    void notify()
    {
        if (m_listener)
            m_listener(m_done, m_total, label());
    }

    Listener m_listener;
    std::atomic<int> m_done = 0;
    std::atomic<int> m_total = 0;
    std::atomic<bool> m_cancelled = false;
    mutable std::mutex m_mutex;
    QString m_label;
};
