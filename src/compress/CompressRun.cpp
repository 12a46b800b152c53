// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompressRun.h"

#include "CompressWorker.h"
#include "common/JobControl.h"
#include "common/MemoryBudget.h"
#include "jobs/Cores.h"

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentMap>

int CompressRun::run(const QList<Image>& photos, const PhotoCompressor::Settings& settings,
                     JobControl& control, const Sink& sink)
{
    control.setTotal(int(photos.size()));
    // As many photos as cores at once: memory stays bounded by a few photos' coefficients.
    const int batch = Cores::count();
    int done = 0;
    for (int first = 0; first < photos.size() && !control.isCancelled(); first += batch) {
        const QList<Image> slice = photos.mid(first, batch);
        const auto compress = [&settings](const Image& photo) {
            // Huge photos wait for room in the bitmap budget rather than decode side by side.
            const MemoryBudget::Share share(MemoryBudget::costOf(photo.pixelSize()));
            return CompressWorker::compress(photo, settings);
        };
        const QList<PhotoCompressor::Result> results =
            slice.size() == 1 ? QList{compress(slice.first())}
                              : QtConcurrent::blockingMapped(slice, compress);
        for (int k = 0; k < results.size(); ++k) {
            sink(first + k, results.at(k));
            ++done;
            control.advance(QCoreApplication::translate("CompressRun", "Photo %1 of %2")
                                .arg(done)
                                .arg(photos.size()));
        }
    }
    return done;
}
