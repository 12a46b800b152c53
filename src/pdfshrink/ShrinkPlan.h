// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StreamJob.h"

#include <qpdf/QPDF.hh>

#include <map>
#include <vector>

// The streams of a PDF worth recoding, each lifted out as a job, and the results put back.
class ShrinkPlan
{
  public:
    struct Entry
    {
        QPDFObjectHandle stream;
        QPDFObjectHandle filter; // as stored, to put an original back
        QPDFObjectHandle parms;
        QPDFObjectHandle space; // an image's colour space as stored
        StreamJob job;
    };
    // Every stream once: DCTDecode images Quire can requantize (8-bit gray or RGB, no decode
    // parameters or colour-key mask) with each of qualities, FlateDecode and unfiltered streams
    // to deflate again. scales are the images that may be scaled (ImagePlacement).
    ShrinkPlan(QPDF& pdf, const std::vector<int>& qualities,
               const std::map<QPDFObjGen, double>& scales);

    [[nodiscard]] std::vector<Entry>& entries() { return m_entries; }
    // Puts result index of entry in place (its smaller form, or the stored one when recoding
    // gave nothing smaller); true when it changed the stream.
    static bool apply(Entry& entry, size_t index);

  private:
    void add(QPDFObjectHandle stream, const std::vector<int>& qualities,
             const std::map<QPDFObjGen, double>& scales);

    std::vector<Entry> m_entries;
};
