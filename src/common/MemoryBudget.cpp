// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryBudget.h"

#include <condition_variable>
#include <mutex>

namespace {
std::mutex mutex;
std::condition_variable freed;
qint64 used = 0;
} // namespace

MemoryBudget::Share::Share(qint64 bytes) : m_bytes(qBound<qint64>(0, bytes, kTotal))
{
    std::unique_lock lock(mutex);
    freed.wait(lock, [this] { return used == 0 || used + m_bytes <= kTotal; });
    used += m_bytes;
}

MemoryBudget::Share::~Share()
{
    {
        std::scoped_lock lock(mutex);
        used -= m_bytes;
    }
    freed.notify_all();
}

qint64 MemoryBudget::inUse()
{
    std::scoped_lock lock(mutex);
    return used;
}
