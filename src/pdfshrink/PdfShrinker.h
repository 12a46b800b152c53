// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class JobControl;

// Makes a PDF smaller and leaves its text, fonts, drawings, links, outlines and forms as they
// are: JPEG images requantized, lossless streams deflated again, images optionally brought down
// to a resolution, unused objects dropped and the rest written in object streams.
class PdfShrinker
{
  public:
    // The lowest quality tried for a size target, as for photos.
    static constexpr int kLowestQuality = 10;
    struct Settings
    {
        int quality = 25;     // 1..100, for the JPEG images
        qint64 maxBytes = 0;  // above 0: the highest quality whose file fits, instead
        int dpi = 0;          // above 0: images drawn at more are scaled down to it
        std::string password; // for a protected file; the output keeps its protection
        QByteArray protect;   // when not empty, the output is protected by this one instead
    };
    struct Result
    {
        QByteArray bytes;      // the smaller PDF; empty when none was made
        QString error;         // why not, when it failed
        bool smallest = false; // nothing smaller could be made: nothing to write
        qint64 inputBytes = 0;
        int quality = 0; // the quality used; 100 when a size target left the images alone
        int pages = 0;
        int imagesChanged = 0;
        [[nodiscard]] bool ok() const { return error.isEmpty(); }
    };
    // Counts the images recoded on job, when given, and stops early when it is cancelled.
    [[nodiscard]] static Result shrink(const QByteArray& pdf, const Settings& settings,
                                       JobControl* job = nullptr);
};
