// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "OwnedFolders.h"

#include <QCoreApplication>
#include <QDir>

#include <cerrno>
#include <csignal>

namespace {
// Whether a process with this id runs (or is someone else's: then it is not ours to judge).
bool running(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

template <typename Doomed>
void removeWhere(const QString& parent, const QString& prefix, Doomed doomed)
{
    const QDir dir(parent);
    const QStringList names = dir.entryList({prefix + QLatin1Char('*')},
                                            QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& name : names) {
        const QString rest = name.mid(prefix.size());
        bool numbered = false;
        const qint64 pid = rest.section(QLatin1Char('-'), 0, 0).toLongLong(&numbered);
        if (doomed(rest.contains(QLatin1Char('-')) && numbered ? pid : 0))
            QDir(dir.filePath(name)).removeRecursively();
    }
}
} // namespace

QString OwnedFolders::ownPrefix(const QString& prefix)
{
    return prefix + QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-');
}

void OwnedFolders::removeStale(const QString& parent, const QString& prefix)
{
    removeWhere(parent, prefix, [](qint64 pid) { return !running(pid); });
}

void OwnedFolders::removeOwn(const QString& parent, const QString& prefix)
{
    const qint64 own = QCoreApplication::applicationPid();
    removeWhere(parent, prefix, [own](qint64 pid) { return pid == own; });
}
