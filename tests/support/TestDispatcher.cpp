// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestDispatcher.h"

#include <algorithm>

void TestDispatcher::after(double seconds, Task task)
{
    m_delayed.push_back({m_now + seconds, std::move(task)});
}

void TestDispatcher::drain()
{
    while (!m_main.empty()) {
        Task task = std::move(m_main.front());
        m_main.erase(m_main.begin());
        task();
    }
}

void TestDispatcher::advance(double seconds)
{
    const double until = m_now + seconds;
    drain();
    for (;;) {
        auto next = std::min_element(m_delayed.begin(), m_delayed.end(),
                                     [](const auto& a, const auto& b) { return a.due < b.due; });
        if (next == m_delayed.end() || next->due > until)
            break;
        m_now = next->due;
        Task task = std::move(next->task);
        m_delayed.erase(next);
        task();
        drain();
    }
    m_now = until;
}
