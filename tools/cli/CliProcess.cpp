// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a quire-cli runner does from its start: the process set up for the jobs, then the command.
#include "CliApp.h"

#include "common/LocalPath.h"
#include "common/Translations.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <climits>
#include <memory>
#include <utility>

// Present only when the process runs under a sanitizer (declared weak: null otherwise).
// NOLINTNEXTLINE(bugprone-reserved-identifier): the sanitizer runtime's own name
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace {
// For the tests of sanitizer builds: a deliberate overflow, whose report must reach stderr.
int overflowOnPurpose()
{
    volatile int largest = INT_MAX;
    // Kept apart from the comparison, which the compiler would otherwise fold away.
    const volatile int sum = largest + 1;
    return sum > 0 ? 3 : 4;
}

// The subcommands that read or draw images. The others (--list-langs, usage errors) answer
// without Qt's GUI and its platform plugin, and so does compress: each photo is encoded in a
// helper process and a PDF's streams are rewritten without drawing a page, and the GUI's start-up
// and shutdown (its font database alone) would be a third of a small job's time.
bool drawsImages(const char* command)
{
    static constexpr std::array jobs = {"pdf", "images", "resize", "ocr", "scan", "merge"};
    return std::ranges::any_of(jobs,
                               [command](const char* job) { return qstrcmp(command, job) == 0; });
}
} // namespace

int CliApp::runProcess(int argc, char* argv[], Commands commands)
{
    if (__sanitizer_set_report_fd && !qEnvironmentVariableIsEmpty("QUIRE_CLI_SANITIZER_CHECK"))
        return overflowOnPurpose();
    qputenv("OMP_THREAD_LIMIT", "1"); // before Tesseract loads: far faster on few cores
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // no display needed
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && drawsImages(argv[1]))
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quire-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIRE_VERSION));
    Translations::install();
    // Qt has taken its own options out of argv by now. Names that are not UTF-8 keep their bytes.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << LocalPath::decode(QByteArray(argv[i]));
    return CliApp(std::move(commands)).run(arguments);
}
