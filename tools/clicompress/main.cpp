// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-cli-compress: quire-cli's compress alone. It links only what compression uses, so it starts
// without loading the OCR and Poppler libraries that the other commands' runner loads (half of a
// small PDF's compression time went to the dynamic linker).
#include "cli/CliApp.h"
#include "common/QpdfChatter.h"
#include "common/QtChatter.h"
#include "common/TiffChatter.h"

int main(int argc, char* argv[])
{
    // Libraries' and Qt's own lines would break the promise of one line per failed input.
    QpdfChatter::discard();
    TiffChatter::discard();
    QtChatter::fatalOnly();
    return CliApp::runProcess(argc, argv, CliApp::compressOnly());
}
