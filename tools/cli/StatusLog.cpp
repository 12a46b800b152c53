// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusLog.h"

#include "common/LocalPath.h"
#include "common/NewFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Seconds to the millisecond: enough for a log, and stable to read.
double rounded(double seconds)
{
    return std::round(seconds * 1000) / 1000;
}
} // namespace

StatusLog::~StatusLog()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool StatusLog::open(const QString& path, bool toStdout, QString& error)
{
    m_stdout = toStdout;
    if (path.isEmpty())
        return true;
    m_fd = ::open(LocalPath::encode(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC,
                  0666);
    if (m_fd < 0)
        error = NewFile::reason(errno);
    return m_fd >= 0;
}

void StatusLog::begin(const QString& input)
{
    m_input = input;
    m_outputs.clear();
    m_reason.clear();
    m_skipped = false;
    m_pages = 0;
    m_seconds = -1;
    m_clock.start();
}

void StatusLog::addOutput(const QString& path)
{
    if (m_input)
        m_outputs << path;
}

void StatusLog::fail(const QString& reason)
{
    // The first reason is the one that counts; later ones follow from it.
    if (m_input && m_reason.isEmpty())
        m_reason = reason;
}

void StatusLog::end()
{
    if (!m_input)
        return;
    const bool failed = !m_reason.isEmpty();
    const QString status = failed      ? QStringLiteral("failed")
                           : m_skipped ? QStringLiteral("skipped")
                                       : QStringLiteral("done");
    (failed ? m_failed : m_skipped ? m_skippedCount : m_done)++;
    const QJsonObject line{
        {QStringLiteral("input"), *m_input},
        {QStringLiteral("outputs"), QJsonArray::fromStringList(m_outputs)},
        {QStringLiteral("status"), status},
        {QStringLiteral("reason"), m_reason},
        {QStringLiteral("seconds"),
         rounded(m_seconds >= 0 ? m_seconds : double(m_clock.nsecsElapsed()) / 1e9)},
        {QStringLiteral("pages"), m_pages},
    };
    put(QJsonDocument(line).toJson(QJsonDocument::Compact));
    m_input.reset();
}

void StatusLog::finish(int exitStatus)
{
    end();
    const QJsonObject line{
        {QStringLiteral("summary"), true},
        {QStringLiteral("done"), m_done},
        {QStringLiteral("skipped"), m_skippedCount},
        {QStringLiteral("failed"), m_failed},
        {QStringLiteral("seconds"), rounded(double(m_run.nsecsElapsed()) / 1e9)},
        {QStringLiteral("exit"), exitStatus},
    };
    put(QJsonDocument(line).toJson(QJsonDocument::Compact));
}

void StatusLog::put(const QByteArray& line) const
{
    const QByteArray whole = line + '\n';
    if (m_stdout) {
        std::fwrite(whole.constData(), 1, size_t(whole.size()), stdout);
        std::fflush(stdout);
    }
    // One write() with O_APPEND: lines from processes sharing the file do not interleave.
    for (qsizetype done = 0; m_fd >= 0 && done < whole.size();) {
        const ssize_t n = ::write(m_fd, whole.constData() + done, size_t(whole.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
}
