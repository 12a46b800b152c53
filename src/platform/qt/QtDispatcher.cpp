// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtDispatcher.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

namespace {
bool onMainThread()
{
    return QThread::currentThread() == qApp->thread();
}
} // namespace

void QtDispatcher::async(Task task)
{
    QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
}

void QtDispatcher::sync(Task task)
{
    if (onMainThread())
        task();
    else
        QMetaObject::invokeMethod(qApp, std::move(task), Qt::BlockingQueuedConnection);
}

void QtDispatcher::after(double seconds, Task task)
{
    const int ms = int(seconds * 1000);
    async([ms, task = std::move(task)] { QTimer::singleShot(ms, qApp, task); });
}

void QtDispatcher::background(Task task)
{
    QThreadPool::globalInstance()->start(std::move(task));
}
