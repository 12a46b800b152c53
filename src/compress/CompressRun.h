// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoCompressor.h"
#include "image/Image.h"

#include <QList>

#include <functional>

class JobControl;

// The compression job over a list of photos: a few at a time side by side on the free cores,
// each result handed on in list order, progress and cancelling through the job control.
class CompressRun
{
  public:
    using Sink = std::function<void(int index, const PhotoCompressor::Result& result)>;

    // Stops between photos once cancelled; returns how many photos were handed on.
    static int run(const QList<Image>& photos, const PhotoCompressor::Settings& settings,
                   JobControl& control, const Sink& sink);
};
