// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JobRegistry.h"

#include "Job.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QThreadPool>

namespace {
Q_LOGGING_CATEGORY(lcJobs, "quire.jobs")
} // namespace

void JobRegistry::add(Job* job, const QString& status)
{
    if (m_jobs.contains(job))
        return;
    m_jobs.append(job);
    emit started(job, status);
}

void JobRegistry::remove(Job* job)
{
    if (m_jobs.removeAll(job) > 0)
        emit ended(job);
}

int JobRegistry::running() const
{
    int n = 0;
    for (const QPointer<Job>& job : m_jobs)
        n += job && job->running() ? 1 : 0;
    return n;
}

void JobRegistry::cancelAll()
{
    for (const QPointer<Job>& job : std::as_const(m_jobs))
        if (job)
            job->cancel();
}

bool JobRegistry::shutdown(int msecs)
{
    cancelAll();
    QElapsedTimer clock;
    clock.start();
    QThreadPool* pool = QThreadPool::globalInstance();
    for (;;) {
        QCoreApplication::sendPostedEvents();
        cancelAll(); // a run that finished meanwhile may have started the next step of a chain
        if (pool->waitForDone(20) && running() == 0)
            break;
        if (clock.elapsed() > msecs) {
            qCWarning(lcJobs) << "background work still running after" << msecs << "ms";
            return false;
        }
    }
    // The runs' own endings, queued while they stopped.
    QCoreApplication::sendPostedEvents();
    return true;
}
