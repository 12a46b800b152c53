// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalPath.h"

#include <cerrno>
#include <sys/stat.h>

namespace {
// The length of the valid UTF-8 sequence at p (at most n bytes), 0 when there is none.
int sequenceAt(const uchar* p, qsizetype n)
{
    const uchar c = p[0];
    const int length = c < 0x80                 ? 1
                       : c >= 0xC2 && c <= 0xDF ? 2
                       : c >= 0xE0 && c <= 0xEF ? 3
                       : c >= 0xF0 && c <= 0xF4 ? 4
                                                : 0;
    if (length == 0 || length > n)
        return 0;
    for (int i = 1; i < length; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    // Overlong forms, surrogates and code points past U+10FFFF are not valid either.
    if ((c == 0xE0 && p[1] < 0xA0) || (c == 0xED && p[1] >= 0xA0) || (c == 0xF0 && p[1] < 0x90) ||
        (c == 0xF4 && p[1] >= 0x90))
        return 0;
    return length;
}
} // namespace

namespace LocalPath {

QString decode(const QByteArray& name)
{
    QString out;
    out.reserve(name.size());
    const auto* p = reinterpret_cast<const uchar*>(name.constData());
    for (qsizetype i = 0; i < name.size();) {
        const int length = sequenceAt(p + i, name.size() - i);
        if (length == 0) {
            out += QChar(char16_t(0xDC00 + p[i++]));
            continue;
        }
        out += QString::fromUtf8(name.constData() + i, length);
        i += length;
    }
    return out;
}

QByteArray encode(const QString& path)
{
    QByteArray out;
    out.reserve(path.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path.at(i).unicode();
        const bool strayByte = u >= 0xDC80 && u <= 0xDCFF &&
                               (i == 0 || !QChar::isHighSurrogate(path.at(i - 1).unicode()));
        if (!strayByte)
            continue;
        out += QStringView(path).mid(start, i - start).toUtf8();
        out += char(u - 0xDC00);
        start = i + 1;
    }
    out += QStringView(path).mid(start).toUtf8();
    return out;
}

bool isFolder(const QString& path)
{
    struct stat info = {};
    return ::stat(encode(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

int makeFolders(const QString& path)
{
    const QByteArray bytes = encode(path);
    // Each step from the top: a step that exists is passed, whatever mkdir says of it.
    for (qsizetype slash = bytes.indexOf('/', 1);; slash = bytes.indexOf('/', slash + 1)) {
        const QByteArray step = slash < 0 ? bytes : bytes.left(slash);
        if (!step.isEmpty() && ::mkdir(step.constData(), 0777) != 0 && errno != EEXIST) {
            const int error = errno;
            struct stat info = {};
            if (::stat(step.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
                return error;
        }
        if (slash < 0)
            break;
    }
    struct stat info = {};
    if (::stat(bytes.constData(), &info) != 0)
        return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

} // namespace LocalPath
