// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputFile.h"

#include "LocalPath.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString reasonOf(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return QStringLiteral("no such file");
    return QString::fromLocal8Bit(std::strerror(error));
}

QString refusalOf(const struct stat& st)
{
    if (S_ISREG(st.st_mode))
        return {};
    return S_ISDIR(st.st_mode) ? QStringLiteral("is a folder")
                               : QStringLiteral("is not a regular file");
}

void set(QString* out, const QString& reason)
{
    if (out)
        *out = reason;
}
} // namespace

namespace InputFile {

QString refusal(const QString& path)
{
    struct stat st
    {
    };
    if (path.isEmpty())
        return reasonOf(ENOENT);
    if (::stat(LocalPath::encode(path).constData(), &st) != 0)
        return reasonOf(errno);
    return refusalOf(st);
}

std::unique_ptr<QFile> open(const QString& path, QString* reason)
{
    // Looked at before opening: opening a device can already do something.
    QString why = refusal(path);
    if (!why.isEmpty()) {
        set(reason, why);
        return {};
    }
    const int fd =
        ::open(LocalPath::encode(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        set(reason, reasonOf(errno));
        return {};
    }
    // And again on what was opened, in case the name was swapped in between.
    struct stat st
    {
    };
    why = ::fstat(fd, &st) == 0 ? refusalOf(st) : reasonOf(errno);
    auto file = std::make_unique<QFile>();
    if (!why.isEmpty() || !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        set(reason, why.isEmpty() ? file->errorString() : why);
        return {};
    }
    return file;
}

QByteArray read(const QString& path, QString* reason, qint64 limit)
{
    const auto file = open(path, reason);
    if (!file)
        return {};
    QByteArray bytes = limit < 0 ? file->readAll() : file->read(limit);
    if (file->error() != QFileDevice::NoError) {
        set(reason, file->errorString());
        return {};
    }
    return bytes;
}

} // namespace InputFile
