// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliApp.h"

#include "CliUsage.h"
#include "common/LocalPath.h"
#include "jobs/Cores.h"
#include "ocr/RecognitionLanguages.h"
#include "platform/Locations.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <unistd.h>
#include <utility>

namespace {
JobControl* interruptible = nullptr;

// Only an atomic store: safe in a signal handler. A second signal ends the program at once.
void stop(int)
{
    if (interruptible)
        interruptible->cancel();
}

void catchInterrupts(JobControl* job)
{
    interruptible = job;
    struct sigaction action = {};
    action.sa_handler = stop;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
} // namespace

CliApp::CliApp(Commands commands, FILE* messages)
    : m_commands(std::move(commands)), m_messages(messages), m_out(stdout), m_err(messages),
      m_tty(isatty(fileno(messages)) != 0)
{
}

int CliApp::run(const QStringList& arguments)
{
    const QString command = arguments.value(1);
    const QStringList rest = arguments.mid(1); // the command stands in for the program name
    catchInterrupts(&m_job);
    int status = 2;
    if (const auto found = m_commands.find(command); found != m_commands.end())
        status = (this->*found->second)(rest);
    else if (command == QLatin1String("--list-langs"))
        status = listLanguages();
    else if (command == QLatin1String("--version")) {
        m_out << "quire-cli " << QCoreApplication::applicationVersion() << '\n';
        status = 0;
    } else if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        m_out << CliUsage::text();
        status = 0;
    } else {
        m_err << (command.isEmpty() ? QString() : tr("Unknown command: %1\n").arg(command))
              << CliUsage::text();
    }
    if (m_job.isCancelled() && status != 2)
        status = kInterrupted;
    endProgressLine();
    removeEmptyFolders();
    if (m_batchStarted) {
        if (m_status.isOpen())
            m_status.fail(QStringLiteral("interrupted"));
        m_status.finish(status);
    }
    m_out.flush();
    m_err.flush();
    interruptible = nullptr;
    return status;
}

int CliApp::listLanguages()
{
    const QString folder = RecognitionLanguages::defaultDataPath();
    const QStringList codes = RecognitionLanguages::installedIn(folder);
    if (codes.isEmpty()) {
        m_err << (folder.isEmpty()
                      ? tr("No text recognition languages are installed; install "
                           "tesseract-ocr-eng or another tesseract-ocr-* package.\n")
                      : tr("No text recognition languages are installed in %1; install "
                           "tesseract-ocr-eng or another tesseract-ocr-* package.\n")
                            .arg(folder));
        return 1;
    }
    for (const QString& code : codes)
        m_out << code << '\t' << RecognitionLanguages::displayName(code) << '\n';
    return 0;
}

namespace {
// Qt's help names the program by its full path; a subcommand's help names the command as typed.
QString helpFor(const QCommandLineParser& parser, const QString& command)
{
    QString text = parser.helpText();
    const qsizetype options = text.indexOf(QLatin1String(" [options]"));
    if (text.startsWith(QLatin1String("Usage: ")) && options > 0 && options < text.indexOf('\n'))
        text.replace(7, options - 7, QStringLiteral("quire-cli ") + command);
    return text;
}
} // namespace

bool CliApp::parse(QCommandLineParser& parser, const QStringList& args, const QString& synopsis,
                   int minPositional, int maxPositional)
{
    parser.setApplicationDescription(synopsis);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  tr("Shows this help."));
    parser.addOption(help);
    const QCommandLineOption null(
        QStringLiteral("null"),
        tr("End each printed path with a NUL byte instead of a newline (xargs -0)."));
    parser.addOption(null);
    BatchOptions::addTo(parser);
    if (!parser.parse(args)) {
        m_err << parser.errorText() << "\n\n" << helpFor(parser, args.value(0));
        return false;
    }
    m_null = parser.isSet(null);
    if (parser.isSet(help)) {
        m_out << helpFor(parser, args.value(0));
        m_helpShown = true;
        return false;
    }
    QString why;
    if (!m_batch.read(parser, m_null, why)) {
        m_err << why << '\n';
        return false;
    }
    const qsizetype n = m_batch.inputs.size();
    if ((n < minPositional && !m_batch.listed) || (maxPositional >= 0 && n > maxPositional)) {
        m_err << (n < minPositional ? tr("Missing input.\n\n") : tr("Too many inputs.\n\n"))
              << helpFor(parser, args.value(0));
        return false;
    }
    if (!m_status.open(m_batch.statusPath, m_batch.json, why)) {
        m_err << tr("The status file %1 could not be opened: %2\n").arg(m_batch.statusPath, why);
        return false;
    }
    Cores::setLimit(m_batch.jobs);
    m_batchStarted = true;
    return true;
}

QString CliApp::namedOutput(const QString& dir, const QString& input, const QString& extension)
{
    return QDir(dir).filePath(QFileInfo(input).completeBaseName() + QLatin1Char('.') + extension);
}

QString CliApp::claim(const QString& output, const QString& input)
{
    if (!m_batch.byName())
        return {};
    QString first = m_claimed.value(output);
    if (!first.isEmpty() && first != input)
        return first;
    m_claimed.insert(output, input);
    return {};
}

QString CliApp::timeoutReason() const
{
    return QStringLiteral("took longer than the limit of %1 s").arg(m_batch.timeout);
}

bool CliApp::skipped(const QString& output)
{
    if (!m_batch.skipExisting || !QFileInfo::exists(output))
        return false;
    m_status.addOutput(absolutePath(output));
    m_status.skip();
    return true;
}

double CliApp::positiveNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                              const QString& what, double max)
{
    bool ok = false;
    const double value = parser.value(option).toDouble(&ok);
    if (ok && value > 0 && value <= max)
        return value;
    m_err << tr("The %1 must be a number above 0 and at most %2.\n").arg(what).arg(max);
    return 0;
}

bool CliApp::makeFolder(const QString& dir)
{
    if (dir.isEmpty())
        return true;
    QStringList missing;
    for (QFileInfo at(QFileInfo(dir).absoluteFilePath()); !at.exists() && !at.isRoot();
         at = QFileInfo(at.absolutePath()))
        missing << at.absoluteFilePath();
    // By bytes: a name that is not UTF-8 must not become another folder.
    const int error = LocalPath::makeFolders(dir);
    if (error == 0) {
        m_madeFolders << missing;
        return true;
    }
    fail(dir, error == ENOTDIR || error == EEXIST
                  ? QStringLiteral("not a folder")
                  : QStringLiteral("the folder could not be made: %1")
                        .arg(QString::fromLocal8Bit(std::strerror(error))));
    return false;
}

void CliApp::removeEmptyFolders()
{
    // rmdir takes only empty folders: one that holds a written file stays, and so its parents.
    for (const QString& folder : std::as_const(m_madeFolders))
        QDir().rmdir(folder);
    m_madeFolders.clear();
}

void CliApp::fail(const QString& file, const QString& reason)
{
    ++m_failures;
    m_status.fail(reason);
    warn(file, reason);
}

void CliApp::warn(const QString& file, const QString& reason)
{
    endProgressLine();
    m_err << "quire-cli: ";
    put(m_err, m_messages, shown(file, true));
    m_err << ": " << reason << '\n';
    m_err.flush();
}

void CliApp::report(const QString& unit, int done, int total)
{
    if (!m_tty || total <= 0 || done <= 0)
        return;
    // Pages may be reported from several threads at once.
    const std::scoped_lock guard(m_progressLock);
    // Back to the line's start, and clear what a longer count left there.
    m_err << '\r' << unit << ' ' << done << '/' << total << "\x1b[K";
    m_progressShown = true;
    m_err.flush();
}

void CliApp::endProgressLine()
{
    const std::scoped_lock guard(m_progressLock);
    if (!m_progressShown)
        return;
    m_err << "\r\x1b[K";
    m_err.flush();
    m_progressShown = false;
}

QString CliApp::absolutePath(const QString& path)
{
    // By hand: QFileInfo would lose the bytes of a name that is not UTF-8.
    return QDir::cleanPath(path.startsWith(QLatin1Char('/')) ? path
                                                             : QDir::currentPath() + '/' + path);
}

void CliApp::printPath(const QString& path, const QString& note)
{
    endProgressLine();
    const QString absolute = absolutePath(path);
    m_status.addOutput(absolute);
    if (m_batch.json)
        return;
    put(m_out, stdout, shown(absolute, !m_null));
    if (!note.isEmpty())
        m_out << '\t' << note;
    m_out << (m_null ? '\0' : '\n');
    m_out.flush();
}

QByteArray CliApp::shown(const QString& path, bool quoteControls)
{
    QByteArray bytes = LocalPath::encode(path);
    const auto control = [](char c) { return uchar(c) < 0x20 || c == 0x7f; };
    if (!quoteControls || std::ranges::none_of(bytes, control))
        return bytes;
    QByteArray quoted = "$'";
    for (const char c : bytes) {
        if (c == '\\' || c == '\'')
            quoted += QByteArray("\\") + c;
        else if (c == '\n')
            quoted += "\\n";
        else if (c == '\t')
            quoted += "\\t";
        else if (control(c) || uchar(c) >= 0x80)
            quoted += "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
        else
            quoted += c;
    }
    return quoted + '\'';
}

void CliApp::put(QTextStream& stream, FILE* file, const QByteArray& bytes)
{
    stream.flush();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
}

HistoryStore& CliApp::history()
{
    if (!m_history)
        m_history = std::make_unique<HistoryStore>(Locations::fromEnvironment().documents);
    return *m_history;
}

qint64 CliApp::nowSeconds()
{
    return QDateTime::currentSecsSinceEpoch();
}

bool CliApp::settled(const QString& output, const QString& input)
{
    if (const QString first = claim(output, input); !first.isEmpty()) {
        fail(input, QStringLiteral("its output %1 is also that of %2").arg(output, first));
        return true;
    }
    return skipped(output);
}
