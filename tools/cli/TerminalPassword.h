// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Asks for a password on the terminal without showing what is typed.
class TerminalPassword
{
  public:
    // Whether someone is there to ask: the standard input is a terminal. Run from a script or a
    // pipe, nothing is asked (the caller says how to give the password instead).
    [[nodiscard]] static bool available();
    // Shows prompt on the terminal and reads one line with echo off; nullopt when nothing could
    // be read (no terminal, end of input, or interrupted).
    [[nodiscard]] static std::optional<QByteArray> ask(const QString& prompt);
};
