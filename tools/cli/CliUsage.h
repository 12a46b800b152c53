// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// quire-cli's general usage, shared by the quick front and the command runner behind it.
class CliUsage
{
  public:
    // The usage text in the user's language.
    [[nodiscard]] static QString text();
    // Whether the front answers this first argument itself, without loading the engines.
    [[nodiscard]] static bool answeredByFront(const char* command);
    // Whether compress takes path as a PDF (by its name, as the front must decide unopened).
    [[nodiscard]] static bool isPdfPath(const QString& path);
    // Whether a compress line can name no PDF: none of its words does, and no list is read.
    [[nodiscard]] static bool namesPhotosOnly(int argc, const char* const argv[]);
    // Why the command runner did not start: errno from exec, or 0 when it is not installed.
    [[nodiscard]] static QString cannotStart(const QString& runner, int error);
};
