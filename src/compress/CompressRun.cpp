// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompressRun.h"

#include "CompressWorker.h"
#include "common/JobControl.h"
#include "common/MemoryBudget.h"
#include "jobs/Cores.h"

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentMap>

#include <numeric>

PhotoCompressor::Result CompressRun::compressOne(const Image& photo,
                                                 const PhotoCompressor::Settings& settings)
{
    // Huge photos wait for room in the bitmap budget rather than decode side by side.
    const MemoryBudget::Share share(MemoryBudget::costOf(photo.pixelSize()));
    return CompressWorker::compress(photo, settings);
}

int CompressRun::run(const QList<Image>& photos, const PhotoCompressor::Settings& settings,
                     JobControl& control, const Sink& sink)
{
    return run(
        int(photos.size()), [&](int index) { return compressOne(photos.at(index), settings); },
        control, sink);
}

int CompressRun::run(int count, const Compress& compress, JobControl& control, const Sink& sink)
{
    const CompressWorker::Session helpers; // kept from photo to photo until the run ends
    control.setTotal(count);
    int done = 0;
    // A window of photos at a time, taken in order as they finish: a list of thousands never
    // holds all its results at once, and one slow photo does not keep the other cores idle.
    const int window = 16 * Cores::count();
    for (int first = 0; first < count && !control.isCancelled(); first += window) {
        QList<int> indices(std::min(window, count - first));
        std::iota(indices.begin(), indices.end(), first);
        QFuture<PhotoCompressor::Result> results;
        if (indices.size() > 1)
            results = QtConcurrent::mapped(indices, compress);
        for (int k = 0; k < indices.size(); ++k) {
            const PhotoCompressor::Result result =
                indices.size() > 1 ? results.resultAt(k) : compress(first);
            if (control.isCancelled()) {
                results.cancel();
                results.waitForFinished();
                return done;
            }
            sink(first + k, result);
            ++done;
            control.advance(
                QCoreApplication::translate("CompressRun", "Photo %1 of %2").arg(done).arg(count));
        }
    }
    return done;
}

HistoryStore::Written CompressRun::store(HistoryStore& history, qint64 stem, int index,
                                         const PhotoCompressor::Result& result)
{
    return history.write(stem + index, result.suffix, result.bytes);
}
