// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfWorker.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QTimer>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {
Q_LOGGING_CATEGORY(lcPdfWorker, "quire.pdfworker")
} // namespace

namespace {
constexpr auto kHelperName = "quire-pdf-worker";

bool isExecutable(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}
} // namespace

PdfWorker::PdfWorker(Reply onReply, Failed onFailure)
    : m_onReply(std::move(onReply)), m_onFailure(std::move(onFailure)),
      m_process(std::make_unique<QProcess>()), m_timer(std::make_unique<QTimer>())
{
    m_timer->setSingleShot(true);
    QObject::connect(m_timer.get(), &QTimer::timeout, m_timer.get(),
                     [this] { fail(Failure::TimedOut); });
    QObject::connect(m_process.get(), &QProcess::readyReadStandardOutput, m_process.get(),
                     [this] { readAnswers(); });
    QObject::connect(m_process.get(), &QProcess::finished, m_process.get(),
                     [this] { fail(Failure::Stopped); });
    QObject::connect(m_process.get(), &QProcess::errorOccurred, m_process.get(),
                     [this](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             fail(Failure::Missing);
                     });
    // The helper quiets its libraries itself; what reaches its stderr (a crash or sanitizer
    // report) is ours to see.
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Set before the helper runs a line of its own: it goes with this process however that
    // ends, even stopped or not yet started. Its own group takes its children along when killed,
    // and keeps a terminal's Ctrl+C for this process to handle.
    m_process->setChildProcessModifier([] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
}

void PdfWorker::stop()
{
    if (m_process->state() == QProcess::NotRunning)
        return;
    if (const qint64 pid = m_process->processId(); pid > 0)
        ::kill(-pid_t(pid), SIGKILL); // a stopped helper dies of it too
    m_process->kill();
    m_process->waitForFinished(2000);
}

PdfWorker::~PdfWorker()
{
    m_process->disconnect();
    stop();
}

QString PdfWorker::program()
{
    QString set = qEnvironmentVariable("QUIRE_PDF_WORKER");
    if (!set.isEmpty())
        return set;
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {dir + '/' + kHelperName, dir + QStringLiteral("/../libexec/quire/") + kHelperName})
        if (isExecutable(candidate))
            return QFileInfo(candidate).canonicalFilePath();
#ifdef QUIRE_PDF_WORKER_BUILT
    return QStringLiteral(QUIRE_PDF_WORKER_BUILT); // running from the build tree
#else
    return dir + '/' + kHelperName;
#endif
}

int PdfWorker::timeoutMs()
{
    bool ok = false;
    const double seconds = qEnvironmentVariable("QUIRE_PAGE_TIMEOUT").toDouble(&ok);
    return ok && seconds > 0 ? int(std::min(seconds, 86400.0) * 1000) : 30'000;
}

QString PdfWorker::reason(Failure failure)
{
    switch (failure) {
    case Failure::TimedOut:
        return QStringLiteral("took too long to draw");
    case Failure::Stopped:
        return QStringLiteral("the PDF library stopped");
    case Failure::Missing:
        break;
    }
    return QStringLiteral("the PDF helper %1 could not be started").arg(kHelperName);
}

QString PdfWorker::bothReasons(const QString& pdfium, const QString& poppler)
{
    return QStringLiteral("%1, and with Poppler %2").arg(pdfium, poppler);
}

void PdfWorker::request(const QByteArray& line)
{
    if (m_dead)
        return;
    if (m_process->state() == QProcess::NotRunning) {
        m_process->start(program(), {});
        if (m_dead)
            return; // it could not be started; already reported
    }
    m_busy = true;
    m_timer->start(timeoutMs());
    m_process->write(line + '\n');
}

void PdfWorker::readAnswers()
{
    m_buffer += m_process->readAllStandardOutput();
    while (m_busy) {
        if (m_expected < 0) {
            const qsizetype end = m_buffer.indexOf('\n');
            if (end < 0)
                return;
            m_words = m_buffer.left(end).split(' ');
            m_buffer.remove(0, end + 1);
            const bool hasBytes = m_words[0] == "png" || m_words[0] == "grey" ||
                                  m_words[0] == "pixels" || m_words[0] == "text";
            m_expected = hasBytes ? m_words.last().toLongLong() : 0;
        }
        if (m_buffer.size() < m_expected)
            return;
        const QByteArray bytes = m_buffer.left(m_expected);
        m_buffer.remove(0, m_expected);
        m_expected = -1;
        m_busy = false;
        m_timer->stop();
        m_onReply(m_words, bytes); // may send the next request
    }
}

void PdfWorker::fail(Failure failure)
{
    if (m_dead)
        return;
    m_dead = true;
    m_timer->stop();
    m_process->disconnect();
    stop();
    if (failure == Failure::Missing)
        qCWarning(lcPdfWorker) << "cannot start" << program();
    const bool wasBusy = m_busy;
    m_busy = false;
    if (wasBusy || failure == Failure::Missing)
        m_onFailure(failure);
}
