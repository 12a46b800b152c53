// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "JobServices.h"
#include "common/JobControl.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

// One long piece of work the user can watch and stop: it runs in the background, announced to the
// job registry, reports done / total and what it is on, and ends finished, cancelled or failed.
// A cancelled run takes back the History files it wrote. Lives on the GUI thread.
class Job : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(int total READ total NOTIFY progressChanged)
    Q_PROPERTY(QString label READ label NOTIFY progressChanged)
    Q_PROPERTY(bool running READ running NOTIFY stateChanged)
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    Q_PROPERTY(QString error READ error NOTIFY stateChanged)
  public:
    enum State
    {
        Idle,
        Running,
        Finished,
        Cancelled,
        Failed
    };
    Q_ENUM(State)
    using Work = std::function<void(JobControl&)>;

    explicit Job(JobServices& services, QObject* parent = nullptr);
    ~Job() override;

    // Announces the run with status, runs work on the background queue, then on the GUI thread
    // signs off and calls done unless the run was cancelled. False while running.
    bool start(const QString& status, Work work, std::function<void()> done = {});
    // The same for work that returns a value; then gets it on the GUI thread.
    template <typename Fn, typename Then> bool run(const QString& status, Fn work, Then then);

    // For work made of steps on the GUI thread: begin hands out the control, end closes the run.
    std::shared_ptr<JobControl> begin(const QString& status);
    void end();

    // Marks a run that reached its end as failed, with the reason shown to the user.
    void fail(const QString& reason);
    Q_INVOKABLE void cancel();
    // Called on the reporting thread with every report; tests act part way through with it.
    void setObserver(JobControl::Listener observer) { m_observer = std::move(observer); }
    // A job its screen shows in its own way (and stops from its own Back) keeps the overlay away.
    void setShowsOverlay(bool on) { m_showsOverlay = on; }
    [[nodiscard]] bool showsOverlay() const { return m_showsOverlay; }

    [[nodiscard]] int progress() const { return m_progress; }
    [[nodiscard]] int total() const { return m_total; }
    [[nodiscard]] QString label() const { return m_label; }
    [[nodiscard]] bool running() const { return m_state == Running; }
    [[nodiscard]] State state() const { return m_state; }
    [[nodiscard]] QString error() const { return m_error; }
    [[nodiscard]] bool cancelRequested() const { return m_control && m_control->isCancelled(); }

  signals:
    void progressChanged();
    void stateChanged();

  private:
    struct Run;
    void report(int done, int total, const QString& label);
    void setState(State state, const QString& error = {});

    JobServices& m_services;
    std::shared_ptr<Run> m_run;
    std::shared_ptr<JobControl> m_control;
    JobControl::Listener m_observer;
    State m_state = Idle;
    bool m_showsOverlay = true;
    int m_progress = 0;
    int m_total = 0;
    QString m_label;
    QString m_error;
};

template <typename Fn, typename Then> bool Job::run(const QString& status, Fn work, Then then)
{
    using Result = std::invoke_result_t<Fn&, JobControl&>;
    auto result = std::make_shared<std::optional<Result>>();
    return start(
        status,
        [work = std::move(work), result](JobControl& control) mutable {
            result->emplace(work(control));
        },
        [then = std::move(then), result]() mutable { then(std::move(**result)); });
}
