// quire-cli: the five jobs from the command line, over the app's own job code.
#include "CliApp.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("OMP_THREAD_LIMIT", "1"); // before Tesseract loads: far faster on few cores
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no display needed
    // Qt's own warnings would break the promise of one line per failed input on stderr.
    if (qEnvironmentVariableIsEmpty("QUIRE_CLI_DEBUG"))
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
            if (type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(msg));
        });
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("quire-cli"));
    QGuiApplication::setApplicationVersion(QStringLiteral(QUIRE_VERSION));
    return CliApp().run(QGuiApplication::arguments());
}
