// quire-cli: the five jobs from the command line, over the app's own job code.
#include "CliApp.h"

#include <QGuiApplication>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
FILE* messages = stderr;

// Libraries (libpng, Leptonica, ...) write their own lines straight to stderr, which would break
// the promise of one line per failed input: they get /dev/null, and our messages a copy of the
// real stderr. QUIRE_CLI_DEBUG keeps everything.
void quietLibraries()
{
    const int copy = ::dup(STDERR_FILENO);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    FILE* out = copy >= 0 ? ::fdopen(copy, "w") : nullptr;
    if (!out || null < 0 || ::dup2(null, STDERR_FILENO) < 0) {
        if (out)
            std::fclose(out);
        if (null >= 0)
            ::close(null);
        return;
    }
    ::close(null);
    ::fcntl(copy, F_SETFD, FD_CLOEXEC);
    messages = out;
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("OMP_THREAD_LIMIT", "1"); // before Tesseract loads: far faster on few cores
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no display needed
    // Qt's own warnings would break the promise of one line per failed input on stderr.
    if (qEnvironmentVariableIsEmpty("QUIRE_CLI_DEBUG")) {
        quietLibraries();
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
            if (type == QtFatalMsg)
                std::fprintf(messages, "%s\n", qPrintable(msg));
        });
    }
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("quire-cli"));
    QGuiApplication::setApplicationVersion(QStringLiteral(QUIRE_VERSION));
    return CliApp(messages).run(QGuiApplication::arguments());
}
