// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QProcess;
class QTimer;

// Quire's end of one PDF helper process: sends it one request at a time, and gives up on the
// process (killing it) when a request takes longer than the limit or the process dies.
// Lives in the thread that made it, whose event loop must run for answers to arrive.
class PdfWorker
{
  public:
    enum class Failure
    {
        TimedOut,
        Stopped,
        Missing
    };
    // An answer: its words (the first says what it is) and the bytes that came with it.
    using Reply = std::function<void(const QList<QByteArray>& words, const QByteArray& bytes)>;
    using Failed = std::function<void(Failure)>;

    PdfWorker(Reply onReply, Failed onFailure);
    ~PdfWorker();

    // Starts the process if need be and sends line; one of the callbacks follows.
    void request(const QByteArray& line);
    [[nodiscard]] bool isBusy() const { return m_busy; }
    [[nodiscard]] bool isDead() const { return m_dead; }

    // The helper: QUIRE_PDF_WORKER, else beside this executable, else ../libexec/quire/ from it.
    [[nodiscard]] static QString program();
    // How long opening a document or drawing a page may take: QUIRE_PAGE_TIMEOUT seconds, or 30.
    [[nodiscard]] static int timeoutMs();
    // What the user is told about a page lost this way.
    [[nodiscard]] static QString reason(Failure failure);
    // What the user is told about a page that PDFium and then Poppler could not draw.
    [[nodiscard]] static QString bothReasons(const QString& pdfium, const QString& poppler);
    // A page request ("png …", "pixels …") for Poppler alone, after PDFium hung or crashed on it.
    [[nodiscard]] static QByteArray forPoppler(const QByteArray& line) { return line + " poppler"; }

  private:
    // Kills the helper and its process group, and waits for it.
    void stop();
    void readAnswers();
    void fail(Failure failure);

    Reply m_onReply;
    Failed m_onFailure;
    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QTimer> m_timer;
    QByteArray m_buffer;
    QList<QByteArray> m_words; // the answer whose bytes are still coming
    qsizetype m_expected = -1;
    bool m_busy = false;
    bool m_dead = false;
};
