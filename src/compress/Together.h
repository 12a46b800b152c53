// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFuture>
#include <QtConcurrent/QtConcurrentRun>

#include <vector>

// Runs work(i) for i in [0, n): the first on this thread, the others on the pool's.
template <typename Work> void together(int n, const Work& work)
{
    std::vector<QFuture<void>> others;
    const auto waitForOthers = [&others] {
        for (QFuture<void>& other : others)
            other.waitForFinished();
    };
    for (int i = 1; i < n; ++i)
        others.push_back(QtConcurrent::run([&work, i] { work(i); }));
    try {
        work(0);
    } catch (...) {
        waitForOthers(); // they use work, which ends with this call
        throw;
    }
    waitForOthers();
}
