// quire-cli: the five jobs from the command line, over the app's own job code.
#include "CliApp.h"

#include "common/LibraryChatter.h"
#include "common/LocalPath.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    qputenv("OMP_THREAD_LIMIT", "1"); // before Tesseract loads: far faster on few cores
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no display needed
    // Libraries' and Qt's own lines would break the promise of one line per failed input.
    FILE* messages = LibraryChatter::divert();
    if (qEnvironmentVariableIsEmpty("QUIRE_CLI_DEBUG"))
        LibraryChatter::logTo(messages, false);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("quire-cli"));
    QGuiApplication::setApplicationVersion(QStringLiteral(QUIRE_VERSION));
    // Qt has taken its own options out of argv by now. Names that are not UTF-8 keep their bytes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << LocalPath::decode(QByteArray(argv[i]));
    return CliApp(messages).run(arguments);
}
