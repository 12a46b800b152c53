// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-cli: answers help and --version at once, and hands every command to the runner
// (quire-cli-engine), whose engines' libraries take tens of milliseconds to load.
#include "cli/CliUsage.h"
#include "common/HelperProcess.h"
#include "common/Translations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {
constexpr auto kEngine = "quire-cli-engine";
// compress's own runner, which starts in half the engine's time...
constexpr auto kCompress = "quire-cli-compress";
// ...and the one for photos alone, faster still.
constexpr auto kPhotos = "quire-cli-photos";
// The helper that compresses each photo.
constexpr auto kCompressHelper = "quire-compress-worker";

// Beside this program in the build tree, in libexec once installed. Found without a
// QCoreApplication, whose making would only delay the runner.
QByteArray runnerPath(const char* runner)
{
    const QString dir =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
    for (const QString& path : {dir + '/' + QLatin1String(runner),
                                dir + QStringLiteral("/../libexec/quire/") + QLatin1String(runner)})
        if (QFileInfo(path).isExecutable())
            return QFile::encodeName(path);
    return {};
}

// A compress with something to compress gets its first helper started here: it loads its
// libraries while the runner loads its own, instead of after.
void startCompressHelper(int argc, char* argv[])
{
    for (int i = 2; i < argc; ++i)
        if (qstrcmp(argv[i], "-h") == 0 || qstrcmp(argv[i], "--help") == 0)
            return;
    QString helper = qEnvironmentVariable("QUIRE_COMPRESS_WORKER");
    if (helper.isEmpty())
        helper = QFile::decodeName(runnerPath(kCompressHelper));
    if (argc > 2 && !helper.isEmpty())
        HelperProcess::startForExec(helper);
}
} // namespace

int main(int argc, char* argv[])
{
    // The runner gets the line as it was typed.
    std::vector<char*> line(argv, argv + argc);
    line.push_back(nullptr);
    const char* command = argc > 1 ? argv[1] : nullptr;
    if (!CliUsage::answeredByFront(command)) {
        QByteArray engine;
        if (qstrcmp(command, "compress") == 0) {
            if (CliUsage::namesPhotosOnly(argc, argv))
                engine = runnerPath(kPhotos);
            if (engine.isEmpty())
                engine = runnerPath(kCompress);
        }
        if (!engine.isEmpty()) {
            HelperProcess::askForHugePages();
            startCompressHelper(argc, argv);
        } else
            engine = runnerPath(kEngine);
        if (!engine.isEmpty())
            execv(engine.constData(), line.data());
        const int error = engine.isEmpty() ? 0 : errno;
        const QCoreApplication app(argc, argv);
        Translations::install();
        std::fputs(qPrintable(CliUsage::cannotStart(QLatin1String(kEngine), error)), stderr);
        return 2;
    }
    const QCoreApplication app(argc, argv);
    // Diagnostics are the runner's business, and QUIRE_CLI_DEBUG's (as there).
    if (qEnvironmentVariableIsEmpty("QUIRE_CLI_DEBUG"))
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QCoreApplication::setApplicationName(QStringLiteral("quire-cli"));
    Translations::install();
    if (command == nullptr) {
        std::fputs(qPrintable(CliUsage::text()), stderr);
        return 2;
    }
    if (qstrcmp(command, "--version") == 0)
        std::printf("quire-cli %s\n", QUIRE_VERSION);
    else
        std::fputs(qPrintable(CliUsage::text()), stdout);
    return 0;
}
