// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryChatter.h"

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <fcntl.h>
#include <unistd.h>

// Where sanitizer reports go, when the process runs under one (declared weak: null otherwise).
// NOLINTNEXTLINE(bugprone-reserved-identifier): the sanitizer runtime's own name
extern "C" void __sanitizer_set_report_fd(void* fd) __attribute__((weak));

namespace {
FILE* messages = stderr;
bool allMessages = true;

void write(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (!allMessages && type != QtFatalMsg)
        return;
    std::fprintf(messages, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    std::fflush(messages);
}
} // namespace

namespace LibraryChatter {

FILE* divert()
{
    if (!qEnvironmentVariableIsEmpty("QUIRE_CLI_DEBUG"))
        return stderr;
    const int copy = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    FILE* out = copy >= 0 ? ::fdopen(copy, "w") : nullptr;
    if (!out || null < 0 || ::dup2(null, STDERR_FILENO) < 0) {
        if (out)
            std::fclose(out);
        else if (copy >= 0)
            ::close(copy);
        if (null >= 0)
            ::close(null);
        return stderr;
    }
    ::close(null);
    if (__sanitizer_set_report_fd) // a memory error report is no chatter
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the runtime takes the descriptor as a pointer
        __sanitizer_set_report_fd(reinterpret_cast<void*>(intptr_t(copy)));
    return out;
}

void logTo(FILE* out, bool everything)
{
    messages = out;
    allMessages = everything;
    qInstallMessageHandler(write);
}

} // namespace LibraryChatter
