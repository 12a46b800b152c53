// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-compress-worker: Quire's helper process that compresses one photo and exits.
#include "common/QtChatter.h"
#include "common/TiffChatter.h"
#include "compress/CompressWorker.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/resource.h>

int main(int argc, char* argv[])
{
    // Gone with its caller; a crash leaves no core file; an interrupt is the caller's to handle.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    std::signal(SIGINT, SIG_IGN);
    // Only the photo libraries run here: libjpeg and libpng report through Quire's own handlers.
    QtChatter::fatalOnly();
    TiffChatter::discard();
    const QCoreApplication app(argc, argv);
    return CompressWorker::serve(stdin, stdout);
}
