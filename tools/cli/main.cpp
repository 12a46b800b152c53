// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-cli-engine: quire-cli's commands, the five jobs over the app's own job code. quire-cli
// starts it for every command it does not answer itself or hand to a leaner runner.
#include "cli/CliApp.h"
#include "common/LibraryChatter.h"

int main(int argc, char* argv[])
{
    // Libraries' and Qt's own lines would break the promise of one line per failed input.
    LibraryChatter::quiet(false);
    return CliApp::runProcess(argc, argv, CliApp::everyCommand());
}
