#include "ProgressOverlay.h"

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
