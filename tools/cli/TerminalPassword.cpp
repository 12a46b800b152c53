// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminalPassword.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

bool TerminalPassword::available()
{
    return isatty(STDIN_FILENO) != 0;
}

std::optional<QByteArray> TerminalPassword::ask(const QString& prompt)
{
    // The terminal itself rather than stdin and stderr, which may be redirected.
    const int tty = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (tty < 0)
        return std::nullopt;
    const QByteArray shown = prompt.toLocal8Bit();
    (void)!::write(tty, shown.constData(), size_t(shown.size()));
    termios saved{};
    const bool hidden = tcgetattr(tty, &saved) == 0;
    if (hidden) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(tty, TCSAFLUSH, &quiet);
    }
    QByteArray line;
    char c = 0;
    bool ended = false;
    // Byte by byte, so that nothing typed after the line is taken from the terminal.
    while (::read(tty, &c, 1) == 1) {
        if (c == '\n') {
            ended = true;
            break;
        }
        line += c;
    }
    if (hidden)
        tcsetattr(tty, TCSAFLUSH, &saved);
    (void)!::write(tty, "\n", 1);
    ::close(tty);
    if (line.endsWith('\r'))
        line.chop(1);
    if (!ended && line.isEmpty())
        return std::nullopt;
    return line;
}
