// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-compress-worker: Quire's helper process that compresses the photos it is asked for, one
// after another, until its input ends.
#include "common/QtChatter.h"
#include "common/TiffChatter.h"
#include "compress/CompressWorker.h"

#include <QCoreApplication>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {
// What a helper keeps of its memory for the next photo: a large photo's is given back.
constexpr size_t kKeptHeap = size_t(256) << 20;
} // namespace

int main(int argc, char* argv[])
{
    // Gone with its caller, within a tenth of a second. Not by PR_SET_PDEATHSIG: that follows the
    // thread that started this helper, and a kept helper outlives the pool thread that did.
    const pid_t caller = getppid();
    std::thread([caller] {
        while (getppid() == caller)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        std::_Exit(1);
    }).detach();
    // A crash leaves no core file; an interrupt is the caller's to handle.
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
    return CompressWorker::serve(stdin, stdout, [] {
        if (mallinfo2().arena > kKeptHeap)
            malloc_trim(0);
    });
}
