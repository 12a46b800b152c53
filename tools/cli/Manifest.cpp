// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Manifest.h"

#include "common/LocalPath.h"

#include <QFile>

#include <cstdio>

bool Manifest::read(const QString& path, bool nulSeparated, QString& error)
{
    QFile file;
    const bool opened = path == QLatin1String("-")
                            ? file.open(stdin, QIODevice::ReadOnly)
                            : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    const char separator = nulSeparated ? '\0' : '\n';
    for (const QByteArray& entry : bytes.split(separator))
        if (!entry.isEmpty())
            m_paths << LocalPath::decode(entry);
    return true;
}

QStringList Manifest::slice(const QStringList& paths, int index, int count)
{
    QStringList mine;
    for (qsizetype i = index; i < paths.size(); i += count)
        mine << paths[i];
    return mine;
}
