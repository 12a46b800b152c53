// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Job.h"

#include "JobRegistry.h"
#include "history/HistoryStore.h"
#include "platform/Dispatcher.h"

#include <QPointer>

#include <mutex>

// What a run shares with its background work; it outlives the Job when the screen goes first.
struct Job::Run
{
    QPointer<Job> job;
    Dispatcher* dispatcher = nullptr;
    HistoryStore* history = nullptr;
    quint64 historyMark = 0;
    JobControl::Listener observer;
    std::atomic<bool> rolledBack = false;
    std::atomic<bool> listing = false; // the History store counts this run as an open job

    Run() = default;
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    Run(Run&&) = delete;
    Run& operator=(Run&&) = delete;
    // The work may outlive its Job (and its end): the store's job closes with the last owner.
    ~Run() { closeListing(); }
    void closeListing()
    {
        if (history && listing.exchange(false))
            history->closeJob();
    }

    std::mutex mutex; // guards the latest report and whether it is on its way
    int done = 0;
    int total = 0;
    QString label;
    bool posted = false;

    // The files this run listed go again, once, wherever the run ends.
    void rollBackIfCancelled(const JobControl& control)
    {
        if (control.isCancelled() && history && !rolledBack.exchange(true))
            history->discardSince(historyMark);
    }

    // Reports come from any thread and as often as the work likes; the GUI sees the latest.
    void relay(const std::shared_ptr<Run>& self, int d, int t, const QString& l)
    {
        if (observer)
            observer(d, t, l);
        {
            std::scoped_lock lock(mutex);
            done = d;
            total = t;
            label = l;
            if (posted)
                return;
            posted = true;
        }
        dispatcher->async([self] {
            std::unique_lock lock(self->mutex);
            self->posted = false;
            const int d = self->done, t = self->total;
            const QString l = self->label;
            lock.unlock();
            if (self->job && self->job->m_run == self)
                self->job->report(d, t, l);
        });
    }
};

Job::Job(JobServices& services, QObject* parent) : QObject(parent), m_services(services)
{
}

Job::~Job()
{
    // The work may go on a moment on its own; it stops at its next check and tidies up.
    cancel();
    if (m_services.jobs)
        m_services.jobs->remove(this);
}

std::shared_ptr<JobControl> Job::begin(const QString& status)
{
    if (running())
        return nullptr;
    auto run = std::make_shared<Run>();
    run->job = this;
    run->dispatcher = m_services.dispatcher;
    run->history = m_services.history;
    if (run->history) {
        run->historyMark = run->history->mark();
        run->history->openJob();
        run->listing = true;
    }
    run->observer = m_observer;
    m_run = run;
    m_control = std::make_shared<JobControl>(
        [run](int done, int total, const QString& label) { run->relay(run, done, total, label); });
    m_error.clear();
    report(0, 0, {});
    setState(Running);
    if (m_services.jobs)
        m_services.jobs->add(this, status);
    return m_control;
}

bool Job::start(const QString& status, Work work, std::function<void()> done)
{
    const std::shared_ptr<JobControl> control = begin(status);
    if (!control)
        return false;
    std::shared_ptr<Run> run = m_run;
    m_services.dispatcher->background(
        [run, control, work = std::move(work), done = std::move(done)]() mutable {
            work(*control);
            // Taken back here, not on the GUI thread: quitting may not serve its queue again.
            run->rollBackIfCancelled(*control);
            run->dispatcher->async([run, done = std::move(done)] {
                Job* job = run->job;
                if (!job || job->m_run != run)
                    return;
                job->end();
                if (job->state() == Finished && done)
                    done();
            });
        });
    return true;
}

void Job::end()
{
    if (!running())
        return;
    m_run->rollBackIfCancelled(*m_control);
    m_run->closeListing();
    report(m_control->done(), m_control->total(), m_control->label());
    if (m_services.jobs)
        m_services.jobs->remove(this);
    setState(m_control->isCancelled() ? Cancelled : Finished);
}

void Job::fail(const QString& reason)
{
    if (m_state == Finished)
        setState(Failed, reason);
}

void Job::cancel()
{
    if (m_control && m_state == Running)
        m_control->cancel();
}

void Job::report(int done, int total, const QString& label)
{
    if (done == m_progress && total == m_total && label == m_label)
        return;
    m_progress = done;
    m_total = total;
    m_label = label;
    emit progressChanged();
}

void Job::setState(State state, const QString& error)
{
    m_state = state;
    m_error = error;
    emit stateChanged();
}
