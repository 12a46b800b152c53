// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-cli-photos: quire-cli's compress when no input is a PDF. Without qpdf and OpenCV it loads
// a third fewer libraries than quire-cli-compress, and one photo is a tenth of a second's work, of
// which the dynamic linker took a fifth.
#include "cli/CliApp.h"
#include "common/QtChatter.h"
#include "common/TiffChatter.h"

int main(int argc, char* argv[])
{
    // Libraries' and Qt's own lines would break the promise of one line per failed input.
    TiffChatter::discard();
    QtChatter::fatalOnly();
    return CliApp::runProcess(argc, argv, CliApp::photosOnly());
}
