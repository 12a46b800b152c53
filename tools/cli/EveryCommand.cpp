// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands of quire-cli-engine, in a file of their own: a runner that names fewer links
// fewer of the jobs, and loads fewer libraries.
#include "CliApp.h"

CliApp::Commands CliApp::everyCommand()
{
    return {{QStringLiteral("pdf"), &CliApp::pdf},
            {QStringLiteral("images"), &CliApp::images},
            {QStringLiteral("compress"), &CliApp::compress},
            {QStringLiteral("resize"), &CliApp::resize},
            {QStringLiteral("ocr"), &CliApp::ocr},
            {QStringLiteral("scan"), &CliApp::scan},
            {QStringLiteral("merge"), &CliApp::merge},
            {QStringLiteral("split"), &CliApp::split},
            {QStringLiteral("rotate"), &CliApp::rotate},
            {QStringLiteral("delete"), &CliApp::remove},
            {QStringLiteral("protect"), &CliApp::protect}};
}
