// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <optional>

// The record of a batch: a JSON object a line for each input (input, outputs, status done /
// skipped / failed, reason, seconds, pages), then a summary line. Written to a file opened for
// appending, so that a resumed run adds to the record of the first and several processes can
// share one file, and/or to stdout. Each line goes out in one write.
class StatusLog
{
  public:
    StatusLog() { m_run.start(); }
    ~StatusLog();
    StatusLog(const StatusLog&) = delete;
    StatusLog& operator=(const StatusLog&) = delete;

    // Where lines go: path (appended to; may be empty) and stdout when toStdout.
    bool open(const QString& path, bool toStdout, QString& error);

    // One input at a time: begin, then what came of it, then end, which writes its line.
    void begin(const QString& input);
    void addOutput(const QString& path);
    void setPages(int pages) { m_pages = pages; }
    void skip() { m_skipped = true; }
    void fail(const QString& reason);
    void end();
    // The seconds spent on the input when they were not spent between begin and end.
    void setSeconds(double seconds) { m_seconds = seconds; }
    [[nodiscard]] bool isOpen() const { return m_input.has_value(); }

    // The summary line: counts, the whole run's seconds and the exit status.
    void finish(int exitStatus);
    [[nodiscard]] int failed() const { return m_failed; }

  private:
    void put(const QByteArray& line) const;

    int m_fd = -1;
    bool m_stdout = false;
    QElapsedTimer m_run;
    QElapsedTimer m_clock;
    std::optional<QString> m_input;
    QStringList m_outputs;
    QString m_reason;
    bool m_skipped = false;
    int m_pages = 0;
    double m_seconds = -1;
    int m_done = 0;
    int m_skippedCount = 0;
    int m_failed = 0;
};
