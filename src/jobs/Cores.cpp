// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cores.h"

#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>

namespace {
std::atomic<int> limitSet = -1; // -1: not read from the environment yet
} // namespace

int Cores::fromEnvironment()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("QUIRE_JOBS", &ok);
    return ok && n > 0 ? n : 0;
}

int Cores::count()
{
    int limit = limitSet;
    if (limit < 0) {
        limit = fromEnvironment();
        limitSet = limit;
    }
    const int cores = std::max(1, QThread::idealThreadCount());
    return limit > 0 ? std::min(cores, limit) : cores;
}

void Cores::setLimit(int limit)
{
    limitSet = limit > 0 ? limit : fromEnvironment();
    QThreadPool::globalInstance()->setMaxThreadCount(count());
}
