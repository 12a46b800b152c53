// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoCompressor.h"
#include "history/HistoryStore.h"
#include "image/Image.h"

#include <QList>

#include <functional>

class JobControl;

// The compression job over a list of photos, for the app and the command line alike: photos side
// by side on the free cores, each result handed on in list order, progress and cancelling
// through the job control.
class CompressRun
{
  public:
    using Sink = std::function<void(int index, const PhotoCompressor::Result& result)>;
    // Compresses the index-th photo (on a pool thread).
    using Compress = std::function<PhotoCompressor::Result(int index)>;

    // Stops between photos once cancelled; returns how many photos were handed on.
    static int run(const QList<Image>& photos, const PhotoCompressor::Settings& settings,
                   JobControl& control, const Sink& sink);
    static int run(int count, const Compress& compress, JobControl& control, const Sink& sink);
    // One photo compressed in a separate process, waiting for room in the memory budget first.
    static PhotoCompressor::Result compressOne(const Image& photo,
                                               const PhotoCompressor::Settings& settings);
    // Writes the index-th result of a run started at stem into the History, named as the app
    // names it (stem + index, the result's own extension).
    static HistoryStore::Written store(HistoryStore& history, qint64 stem, int index,
                                       const PhotoCompressor::Result& result);
};
