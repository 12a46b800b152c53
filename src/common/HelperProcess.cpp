// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelperProcess.h"

#include "common/LocalPath.h"

#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
constexpr qsizetype kMostAnswerBytes = qsizetype(1) << 34; // no photo's copy comes near
constexpr qsizetype kReservedAnswerBytes = qsizetype(256) << 20;

// Reads into answer until it holds at least size bytes; false at the helper's end or an error.
bool readUntil(int socket, QByteArray& answer, qsizetype size)
{
    char chunk[65536];
    while (answer.size() < size) {
        const ssize_t got = ::recv(socket, chunk, sizeof chunk, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        answer.append(chunk, qsizetype(got));
    }
    return true;
}

constexpr auto kTunables = "GLIBC_TUNABLES";

// GLIBC_TUNABLES with malloc's huge pages asked for; any other tunables already set are kept.
QByteArray hugePageTunables()
{
    QByteArray set = qgetenv(kTunables);
    if (set.contains("glibc.malloc.hugetlb"))
        return set;
    return (set.isEmpty() ? QByteArray() : set + ':') + "glibc.malloc.hugetlb=1";
}

// The environment a helper starts with: this process's, with huge pages asked for.
std::vector<char*> helperEnvironment(QByteArray& entry)
{
    const QByteArray name = QByteArray(kTunables) + '=';
    entry = name + hugePageTunables();
    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable)
        if (qstrncmp(*variable, name.constData(), size_t(name.size())) != 0)
            environment.push_back(*variable);
    environment.push_back(entry.data());
    environment.push_back(nullptr);
    return environment;
}

// Names the helper a program hands to the program it execs into: "pid socket program".
constexpr auto kHandedOver = "QUIRE_HANDED_HELPER";

bool sameProgram(const QString& a, const QString& b)
{
    return a == b || QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
}
} // namespace

std::unique_ptr<HelperProcess> HelperProcess::start(const QString& program)
{
    int ends[2] = {-1, -1};
    // Close-on-exec: another helper started later must not hold this one's socket open.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return nullptr;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    QByteArray path = LocalPath::encode(program);
    char* argv[] = {path.data(), nullptr};
    std::unique_ptr<HelperProcess> helper(new HelperProcess);
    QByteArray tunables;
    std::vector<char*> environment = helperEnvironment(tunables);
    const int failed = ::posix_spawn(&helper->m_pid, path.constData(), &actions, nullptr, argv,
                                     environment.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (failed != 0) {
        ::close(ends[0]);
        return nullptr;
    }
    helper->m_socket = ends[0];
    return helper;
}

bool HelperProcess::startForExec(const QString& program)
{
    std::unique_ptr<HelperProcess> helper = start(program);
    if (!helper || ::fcntl(helper->m_socket, F_SETFD, 0) != 0)
        return false;
    const QByteArray handed = QByteArray::number(helper->m_pid) + ' ' +
                              QByteArray::number(helper->m_socket) + ' ' +
                              LocalPath::encode(program);
    if (::setenv(kHandedOver, handed.constData(), 1) != 0)
        return false;
    // Now the next program's to end and wait for.
    helper->m_socket = -1;
    helper->m_reaped = true;
    return true;
}

void HelperProcess::askForHugePages()
{
    qputenv(kTunables, hugePageTunables());
}

bool HelperProcess::handedOver()
{
    return qEnvironmentVariableIsSet(kHandedOver);
}

std::unique_ptr<HelperProcess> HelperProcess::adopt(const QString& program)
{
    static std::atomic_flag taken;
    if (taken.test_and_set())
        return nullptr;
    const QList<QByteArray> words = qgetenv(kHandedOver).split(' ');
    ::unsetenv(kHandedOver); // not for the programs this one starts
    if (words.size() != 3 || !sameProgram(LocalPath::decode(words[2]), program))
        return nullptr;
    bool pidRead = false;
    bool socketRead = false;
    const auto pid = pid_t(words[0].toInt(&pidRead));
    const int socket = words[1].toInt(&socketRead);
    struct stat about = {};
    if (!pidRead || !socketRead || pid <= 0 || socket < 0 || ::fstat(socket, &about) != 0 ||
        !S_ISSOCK(about.st_mode))
        return nullptr;
    // Only a child of this process: anything else is not ours to wait for or to close.
    int status = 0;
    const pid_t ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == pid)
        ::close(socket);
    if (ended != 0)
        return nullptr;
    std::unique_ptr<HelperProcess> helper(new HelperProcess);
    helper->m_pid = pid;
    helper->m_socket = socket;
    if (::fcntl(socket, F_SETFD, FD_CLOEXEC) != 0)
        return nullptr; // let go, and waited for
    return helper;
}

HelperProcess::~HelperProcess()
{
    release();
    reap(true);
}

void HelperProcess::release()
{
    if (m_socket >= 0)
        ::close(std::exchange(m_socket, -1));
}

bool HelperProcess::reap(bool wait)
{
    if (m_reaped || m_pid <= 0)
        return true;
    pid_t done = 0;
    do
        done = ::waitpid(m_pid, &m_status, wait ? 0 : WNOHANG);
    while (done < 0 && errno == EINTR);
    m_reaped = done == m_pid || done < 0;
    return m_reaped;
}

bool HelperProcess::hasEnded()
{
    return reap(false);
}

bool HelperProcess::ask(const QByteArray& request, QByteArray& answer) const
{
    answer.clear();
    for (qsizetype sent = 0; sent < request.size();) {
        // No SIGPIPE when the helper is gone: that is an answer too.
        const ssize_t n = ::send(m_socket, request.constData() + sent,
                                 size_t(request.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    qsizetype line = -1;
    while ((line = answer.indexOf('\n')) < 0)
        if (!readUntil(m_socket, answer, answer.size() + 1))
            return false;
    const QByteArray head = answer.left(line);
    bool number = false;
    const qsizetype length = head.mid(head.lastIndexOf(' ') + 1).toLongLong(&number);
    if (!number || length < 0 || length > kMostAnswerBytes)
        return false;
    // Read straight into place, not grown a chunk at a time; a length beyond any photo's copy
    // (a helper that wrote nonsense) only grows as bytes come.
    answer.reserve(line + 1 + std::min(length, kReservedAnswerBytes));
    return readUntil(m_socket, answer, line + 1 + length) && answer.size() == line + 1 + length;
}

QString HelperProcess::finish()
{
    release();
    reap(true);
    if (WIFSIGNALED(m_status))
        return QStringLiteral("signal %1").arg(WTERMSIG(m_status));
    return WEXITSTATUS(m_status) == 0 ? QString()
                                      : QStringLiteral("exit %1").arg(WEXITSTATUS(m_status));
}
