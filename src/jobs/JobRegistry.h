// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>

class Job;

// The jobs running in the app, so that quitting can stop them all and wait for them briefly.
class JobRegistry
{
  public:
    void add(Job* job);
    void remove(Job* job);
    [[nodiscard]] int running() const;

    void cancelAll();
    // Cancels every job and keeps the GUI thread's queue served while they wind down, so work
    // waiting on it cannot hang the exit. False when something still runs after msecs.
    bool shutdown(int msecs);

  private:
    QList<QPointer<Job>> m_jobs;
};
