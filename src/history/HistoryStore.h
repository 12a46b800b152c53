// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QMutex>
#include <QString>
#include <QUrl>

#include <functional>
#include <vector>

// The History folder and the in-memory list of files written this run, newest first.
class HistoryStore
{
  public:
    // Outcome of writing one file: its path, or why it could not be written.
    struct Written
    {
        QString path;
        QString error;
        [[nodiscard]] bool ok() const { return error.isEmpty(); }
        [[nodiscard]] QUrl url() const { return QUrl::fromLocalFile(path); }
    };
    using Writer = std::function<bool(QIODevice&, QString& error)>;

    explicit HistoryStore(QString documentsPath);
    // A writer that puts bytes out whole.
    [[nodiscard]] static Writer writerOf(const QByteArray& bytes);

    [[nodiscard]] QString documentsPath() const { return m_documents; }
    [[nodiscard]] QString historyPath() const;

    // Makes documents/name unless something is there already; reports failure on the console.
    bool createFolder(const QString& name) const;

    // Writes a new file named stem + "." + extension in the History folder (the next free variant
    // when taken), whole or not at all, and lists it first. The folder is made when missing.
    Written write(qint64 stem, const QString& extension, const QByteArray& bytes);
    Written write(qint64 stem, const QString& extension, const Writer& writer);
    // What writeInto does when the name is taken: write the next free variant, write nothing
    // (an error, "File exists"), or replace the file.
    enum class Taken
    {
        NextFree,
        Keep,
        Replace
    };
    // The same, into any folder, without listing (the command-line tool's -o).
    static Written writeInto(const QString& folder, const QString& baseName,
                             const QString& extension, const Writer& writer,
                             Taken taken = Taken::NextFree);

    void prepend(const QUrl& url);
    // Files listed between openJob and closeJob are one job's output, which the home screen may
    // show as one row. Jobs that overlap share one number; a file listed outside any job has its
    // own.
    void openJob();
    void closeJob();
    struct Listed
    {
        QUrl url;
        quint64 job = 0;
    };
    // Every entry with the job that listed it, newest first.
    [[nodiscard]] std::vector<Listed> listing() const;
    // Where the list stands now; discardSince(mark) deletes and unlists every file listed after.
    [[nodiscard]] quint64 mark() const;
    void discardSince(quint64 mark);
    // Empties the list; the files stay where they are.
    void clear();
    [[nodiscard]] int count() const;
    [[nodiscard]] QUrl at(int index) const;
    [[nodiscard]] std::vector<QUrl> entries() const;

  private:
    QString m_documents;
    mutable QMutex m_mutex;
    std::vector<QUrl> m_entries;    // newest last; read back to front
    std::vector<quint64> m_serials; // when each entry was listed, counted from the first
    std::vector<quint64> m_jobs;    // the job that listed each entry
    quint64 m_listed = 0;
    quint64 m_lastJob = 0;
    int m_openJobs = 0;
};
