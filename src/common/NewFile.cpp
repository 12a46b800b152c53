// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewFile.h"

#include "LocalPath.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

// Writes straight to the descriptor through a small buffer, keeping the system's reason when a
// write fails (a full disk must say so, not "Unknown error").
class NewFile::Device : public QIODevice
{
  public:
    explicit Device(int fd) : m_fd(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    // The descriptor is gone: later writes fail instead of reaching whatever reuses its number.
    void detach()
    {
        m_fd = -1;
        if (m_errno == 0)
            m_errno = EBADF;
    }
    [[nodiscard]] int error() const { return m_errno; }
    bool flushBuffer()
    {
        const char* p = m_buffer.constData();
        qsizetype left = m_buffer.size();
        while (left > 0 && m_errno == 0) {
            const ssize_t n = ::write(m_fd, p, size_t(left));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                m_errno = n < 0 ? errno : ENOSPC;
                setErrorString(NewFile::reason(m_errno));
                break;
            }
            p += n;
            left -= n;
        }
        m_buffer.clear();
        return m_errno == 0;
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        if (m_errno != 0)
            return -1;
        m_buffer.append(data, qsizetype(len));
        if (m_buffer.size() >= kChunk && !flushBuffer())
            return -1;
        return len;
    }

  private:
    static constexpr qsizetype kChunk = qsizetype(256) * 1024;
    int m_fd;
    int m_errno = 0;
    QByteArray m_buffer;
};

NewFile::NewFile(QString folder) : m_folder(std::move(folder))
{
}

QIODevice& NewFile::device()
{
    if (!m_device) // before open, or after a failure: a device that refuses every write
        m_device = std::make_unique<Device>(-1);
    return *m_device;
}

NewFile::~NewFile()
{
    discard();
}

QString NewFile::errorString() const
{
    if (m_error.isEmpty() && m_fd >= 0 && m_device && m_device->error() != 0)
        return reason(m_device->error());
    return m_error;
}

QString NewFile::reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

std::function<QString(int)> NewFile::numbered(const QString& baseName, const QString& extension)
{
    const QString suffix = extension.isEmpty() ? QString() : QLatin1Char('.') + extension;
    return [=](int n) {
        return n == 1 ? baseName + suffix
                      : QStringLiteral("%1-%2%3").arg(baseName).arg(n).arg(suffix);
    };
}

bool NewFile::fail(int error)
{
    m_error = reason(error);
    discard();
    return false;
}

bool NewFile::open()
{
    const QByteArray folder = LocalPath::encode(m_folder);
    m_fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (m_fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // No unnamed files here: a hidden temporary name, claimed by the same exclusive link.
        for (int tries = 0; m_fd < 0 && tries < 100; ++tries) {
            m_tempPath = folder + "/.quire-" +
                         QByteArray::number(QRandomGenerator::global()->generate64(), 36);
            m_fd = ::open(m_tempPath.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            if (m_fd < 0 && errno != EEXIST)
                break;
        }
        if (m_fd < 0)
            m_tempPath.clear();
    }
    if (m_fd < 0)
        return fail(errno);
    m_device = std::make_unique<Device>(m_fd);
    return true;
}

bool NewFile::link(const QByteArray& target)
{
    if (!m_tempPath.isEmpty())
        return ::link(m_tempPath.constData(), target.constData()) == 0;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0)
        return false;
    return ::linkat(m_fd, "", AT_FDCWD, target.constData(), AT_EMPTY_PATH) == 0; // no /proc
}

bool NewFile::settle()
{
    if (m_fd < 0) {
        if (m_error.isEmpty())
            m_error = reason(EBADF);
        return false;
    }
    if (!m_device->flushBuffer())
        return fail(m_device->error());
    if (::fsync(m_fd) != 0)
        return fail(errno);
    return true;
}

QString NewFile::commit(const std::function<QString(int)>& nameAt, int attempts)
{
    if (!settle())
        return {};
    // link() never replaces and never follows a link at the name: EEXIST means someone has it.
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        QString path = m_folder + QLatin1Char('/') + nameAt(attempt);
        if (link(LocalPath::encode(path))) {
            discard();
            return path;
        }
        if (errno != EEXIST) {
            fail(errno);
            return {};
        }
    }
    fail(EEXIST);
    return {};
}

QString NewFile::replace(const QString& name)
{
    if (!settle())
        return {};
    // Linked under a hidden name of its own first: rename() is what replaces in one step.
    QByteArray temp = m_tempPath;
    for (int tries = 0; temp.isEmpty() && tries < 100; ++tries) {
        const QByteArray candidate =
            LocalPath::encode(m_folder) + "/.quire-" +
            QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        if (link(candidate))
            temp = candidate;
        else if (errno != EEXIST)
            break;
    }
    if (temp.isEmpty()) {
        fail(errno);
        return {};
    }
    QString path = m_folder + QLatin1Char('/') + name;
    if (::rename(temp.constData(), LocalPath::encode(path).constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        fail(error);
        return {};
    }
    if (temp == m_tempPath)
        m_tempPath.clear(); // it is the file now
    discard();
    return path;
}

void NewFile::discard()
{
    if (m_device)
        m_device->detach();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_tempPath.isEmpty())
        ::unlink(m_tempPath.constData());
    m_tempPath.clear();
}
