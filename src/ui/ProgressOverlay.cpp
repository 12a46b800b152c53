// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressOverlay.h"

#include "jobs/Job.h"
#include "jobs/JobRegistry.h"
#include "platform/Dispatcher.h"

#include <QMetaObject>
#include <QThread>

ProgressOverlay::ProgressOverlay(Dispatcher& dispatcher, QObject* parent)
    : QObject(parent), m_dispatcher(dispatcher)
{
}

void ProgressOverlay::show(const QString& status)
{
    apply(Busy, status);
}
void ProgressOverlay::showSuccess(const QString& status)
{
    apply(Success, status);
}
void ProgressOverlay::showInfo(const QString& status)
{
    apply(Info, status);
}
void ProgressOverlay::dismiss()
{
    apply(Hidden, {});
}

void ProgressOverlay::apply(State state, const QString& status)
{
    // Background work calls in too; state is only ever changed on the overlay's own thread.
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, state, status] { apply(state, status); }, Qt::QueuedConnection);
        return;
    }
    const quint64 generation = ++m_generation;
    if (m_job)
        disconnect(m_job, nullptr, this, nullptr);
    m_job = nullptr;
    m_cancelAsked = false;
    m_state = state;
    m_status = status;
    emit changed();
    if (state == Success || state == Info) {
        // A later call supersedes this one; only dismiss what is still showing.
        m_dispatcher.after(m_minimumDismiss, [this, generation] {
            if (generation == m_generation)
                apply(Hidden, {});
        });
    }
}

void ProgressOverlay::follow(JobRegistry& jobs) const
{
    connect(&jobs, &JobRegistry::started, this, &ProgressOverlay::showJob);
    connect(&jobs, &JobRegistry::ended, this, &ProgressOverlay::dismissJob);
}

void ProgressOverlay::showJob(Job* job, const QString& status)
{
    if (!job->showsOverlay())
        return;
    // Jobs start on the GUI thread, so show() has taken effect before the job is followed.
    show(status);
    if (m_state != Busy)
        return;
    m_job = job;
    connect(job, &Job::progressChanged, this, &ProgressOverlay::changed);
    emit changed();
}

void ProgressOverlay::dismissJob(Job* job)
{
    if (m_job == job)
        dismiss();
}

void ProgressOverlay::cancel()
{
    if (!cancellable() || m_cancelAsked)
        return;
    m_cancelAsked = true;
    m_job->cancel();
    emit changed();
}

int ProgressOverlay::progress() const
{
    return m_job ? m_job->progress() : 0;
}

int ProgressOverlay::total() const
{
    return m_job ? m_job->total() : 0;
}

QString ProgressOverlay::progressText() const
{
    if (total() <= 0)
        return {};
    return tr("%1 of %2").arg(progress()).arg(total());
}

bool ProgressOverlay::cancellable() const
{
    return m_job && m_job->running();
}
