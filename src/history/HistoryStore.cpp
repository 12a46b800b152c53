// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryStore.h"

#include "common/LocalPath.h"
#include "common/NewFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <filesystem>
#include <utility>

HistoryStore::HistoryStore(QString documentsPath) : m_documents(std::move(documentsPath))
{
}

QString HistoryStore::historyPath() const
{
    return m_documents + QStringLiteral("/History");
}

bool HistoryStore::createFolder(const QString& name) const
{
    const QString path = m_documents + QLatin1Char('/') + name;
    if (QFileInfo::exists(path))
        return true;
    // Intermediate folders are not made; a missing documents area is reported like any failure.
    if (QDir().mkdir(path))
        return true;
    const QString reason = QFileInfo::exists(m_documents)
                               ? QStringLiteral("could not create \"%1\"").arg(path)
                               : QStringLiteral("no such folder \"%1\"").arg(m_documents);
    std::fprintf(stderr, "Error creating images folder in documents dir: %s\n", qPrintable(reason));
    return false;
}

HistoryStore::Written HistoryStore::write(qint64 stem, const QString& extension,
                                          const QByteArray& bytes)
{
    return write(stem, extension, writerOf(bytes));
}

HistoryStore::Writer HistoryStore::writerOf(const QByteArray& bytes)
{
    return [bytes](QIODevice& out, QString& error) {
        if (out.write(bytes) == bytes.size())
            return true;
        error = out.errorString();
        return false;
    };
}

HistoryStore::Written HistoryStore::write(qint64 stem, const QString& extension,
                                          const Writer& writer)
{
    // The folder may have been removed since the first launch; losing output is worse.
    if (const int error = LocalPath::makeFolders(historyPath()); error != 0) {
        Written failed;
        failed.error = QStringLiteral("the folder %1 could not be made: %2")
                           .arg(historyPath(), NewFile::reason(error));
        return failed;
    }
    Written w = writeInto(historyPath(), QString::number(stem), extension, writer);
    if (w.ok())
        prepend(w.url());
    return w;
}

HistoryStore::Written HistoryStore::writeInto(const QString& folder, const QString& baseName,
                                              const QString& extension, const Writer& writer,
                                              Taken taken)
{
    Written w;
    if (!LocalPath::isFolder(folder)) {
        w.error = QFileInfo::exists(folder)
                      ? QStringLiteral("%1 is not a folder").arg(folder)
                      : QStringLiteral("the folder %1 does not exist").arg(folder);
        return w;
    }
    NewFile file(folder);
    if (!file.open()) {
        w.error = file.errorString();
    } else if (!writer(file.device(), w.error)) {
        // The system's reason when a write failed: an encoder only knows that it did.
        if (const QString system = file.errorString(); !system.isEmpty())
            w.error = system;
        else if (w.error.isEmpty())
            w.error = file.device().errorString();
    } else {
        const auto name = NewFile::numbered(baseName, extension);
        w.path = taken == Taken::Replace ? file.replace(name(1))
                                         : file.commit(name, taken == Taken::Keep ? 1 : 99999);
        if (w.path.isEmpty())
            w.error = file.errorString();
    }
    return w;
}

void HistoryStore::prepend(const QUrl& url)
{
    QMutexLocker lock(&m_mutex);
    m_entries.push_back(url);
    m_serials.push_back(m_listed++);
    m_jobs.push_back(m_openJobs > 0 ? m_lastJob : ++m_lastJob);
}

void HistoryStore::openJob()
{
    QMutexLocker lock(&m_mutex);
    if (m_openJobs++ == 0)
        ++m_lastJob;
}

void HistoryStore::closeJob()
{
    QMutexLocker lock(&m_mutex);
    if (m_openJobs > 0)
        --m_openJobs;
}

std::vector<HistoryStore::Listed> HistoryStore::listing() const
{
    QMutexLocker lock(&m_mutex);
    std::vector<Listed> out;
    out.reserve(m_entries.size());
    for (size_t i = m_entries.size(); i-- > 0;)
        out.push_back({m_entries[i], m_jobs[i]});
    return out;
}

quint64 HistoryStore::mark() const
{
    QMutexLocker lock(&m_mutex);
    return m_listed;
}

void HistoryStore::discardSince(quint64 mark)
{
    QMutexLocker lock(&m_mutex);
    for (size_t i = m_entries.size(); i-- > 0;) {
        if (m_serials[i] < mark)
            continue;
        QFile::remove(m_entries[i].toLocalFile());
        m_entries.erase(m_entries.begin() + qsizetype(i));
        m_serials.erase(m_serials.begin() + qsizetype(i));
        m_jobs.erase(m_jobs.begin() + qsizetype(i));
    }
}

void HistoryStore::clear()
{
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
    m_serials.clear();
    m_jobs.clear();
}

int HistoryStore::count() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_entries.size());
}

QUrl HistoryStore::at(int index) const
{
    QMutexLocker lock(&m_mutex);
    if (index < 0 || std::cmp_greater_equal(index, m_entries.size()))
        return {};
    return m_entries[m_entries.size() - 1 - size_t(index)];
}

std::vector<QUrl> HistoryStore::entries() const
{
    QMutexLocker lock(&m_mutex);
    return {m_entries.rbegin(), m_entries.rend()};
}
