// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class Dispatcher;
class Job;
class JobRegistry;

// The one app-wide progress overlay: busy, success and info states over a touch-blocking mask.
class ProgressOverlay : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int state READ state NOTIFY changed)
    Q_PROPERTY(QString status READ status NOTIFY changed)
    Q_PROPERTY(bool visible READ visible NOTIFY changed)
    Q_PROPERTY(bool blocksTouches READ blocksTouches NOTIFY changed)
    Q_PROPERTY(int progress READ progress NOTIFY changed)
    Q_PROPERTY(int total READ total NOTIFY changed)
    Q_PROPERTY(QString progressText READ progressText NOTIFY changed)
    Q_PROPERTY(bool cancellable READ cancellable NOTIFY changed)
    Q_PROPERTY(bool cancelling READ cancelling NOTIFY changed)
  public:
    enum State
    {
        Hidden,
        Busy,
        Success,
        Info
    };
    Q_ENUM(State)

    explicit ProgressOverlay(Dispatcher& dispatcher, QObject* parent = nullptr);

    // Launch defaults: dark style, gradient mask, minimum time success and info stay up.
    void setDefaultStyle(int style) { m_style = style; }
    void setDefaultMaskType(int mask) { m_mask = mask; }
    void setMinimumDismissTimeInterval(double seconds) { m_minimumDismiss = seconds; }
    [[nodiscard]] int defaultStyle() const { return m_style; }
    [[nodiscard]] int defaultMaskType() const { return m_mask; }
    [[nodiscard]] double minimumDismissTimeInterval() const { return m_minimumDismiss; }

    // Each of these may be called from any thread and replaces what the overlay shows.
    void show(const QString& status = {});
    void showSuccess(const QString& status);
    void showInfo(const QString& status);
    void dismiss();
    // Shows every job jobs announces (unless it keeps the overlay away) with its progress and
    // Cancel, and goes when that job ends, unless the overlay shows something else by then.
    void follow(JobRegistry& jobs) const;
    // The Cancel button: asks the job to stop; the overlay stays until the job has ended.
    Q_INVOKABLE void cancel();

    [[nodiscard]] State state() const { return m_state; }
    [[nodiscard]] QString status() const { return m_status; }
    [[nodiscard]] bool visible() const { return m_state != Hidden; }
    [[nodiscard]] bool blocksTouches() const { return visible() && m_mask >= 2; }
    [[nodiscard]] int progress() const;
    [[nodiscard]] int total() const;
    // "12 of 311" when the job knows its total, else empty.
    [[nodiscard]] QString progressText() const;
    // A job is shown that can be stopped; cancelling once Cancel has been tapped.
    [[nodiscard]] bool cancellable() const;
    [[nodiscard]] bool cancelling() const { return m_cancelAsked; }

  signals:
    void changed();

  private:
    void apply(State state, const QString& status);
    void showJob(Job* job, const QString& status);
    void dismissJob(Job* job);

    Dispatcher& m_dispatcher;
    State m_state = Hidden;
    QString m_status;
    int m_style = 0;
    int m_mask = 1;
    double m_minimumDismiss = 5.0;
    quint64 m_generation = 0;
    QPointer<Job> m_job;
    bool m_cancelAsked = false;
};
