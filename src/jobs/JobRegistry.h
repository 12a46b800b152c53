// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class Job;

// The jobs running in the app, so that quitting can stop them all and wait for them briefly, and
// so that whoever shows progress (the overlay) can follow each one from its start to its end.
class JobRegistry : public QObject
{
    Q_OBJECT
  public:
    using QObject::QObject;

    // status: what the run is announced with ("Converting...").
    void add(Job* job, const QString& status = {});
    void remove(Job* job);
    [[nodiscard]] int running() const;

    void cancelAll();
    // Cancels every job and keeps the GUI thread's queue served while they wind down, so work
    // waiting on it cannot hang the exit. False when something still runs after msecs.
    bool shutdown(int msecs);

  signals:
    void started(Job* job, const QString& status);
    void ended(Job* job);

  private:
    QList<QPointer<Job>> m_jobs;
};
