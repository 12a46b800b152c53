// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-compress-worker: Quire's helper process that compresses the photos it is asked for, one
// after another, until its input ends.
#include "common/QtChatter.h"
#include "common/TiffChatter.h"
#include "compress/CompressWorker.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <malloc.h>
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
    // Memory freed after a photo stays with the process for the next one, faulted in already:
    // nothing is mapped apart and handed back (a photo's coefficients are tens of megabytes).
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    const QCoreApplication app(argc, argv);
    return CompressWorker::serve(stdin, stdout);
}
