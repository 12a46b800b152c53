// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BufferReuse.h"

#include <mutex>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
std::mutex mutex;
int users = 0;

void keepLargeBuffers(bool keep)
{
#ifdef __GLIBC__
    // glibc's defaults: 128 KiB for both; above the mmap threshold every buffer is a new mapping.
    mallopt(M_MMAP_THRESHOLD, keep ? 64 << 20 : 128 << 10);
    mallopt(M_TRIM_THRESHOLD, keep ? 128 << 20 : 128 << 10);
    if (!keep)
        malloc_trim(0);
#else
    (void)keep;
#endif
}
} // namespace

BufferReuse::BufferReuse()
{
    std::scoped_lock lock(mutex);
    if (users++ == 0)
        keepLargeBuffers(true);
}

BufferReuse::~BufferReuse()
{
    std::scoped_lock lock(mutex);
    if (--users == 0)
        keepLargeBuffers(false);
}
