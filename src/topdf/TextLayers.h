// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"

#include <QList>
#include <QString>
#include <QStringList>

class JobControl;

// Invisible text for the pages of a searchable PDF. Each photo is read by text recognition and
// its words are written, where they stand on the upright photo, as a one-page PDF of invisible
// text that the PDF writer lays over the photo. Pages are read in parallel, one engine per core.
namespace TextLayers {
struct Result
{
    QStringList files; // one per image, in order, when all went well
    QString error;     // why not (e.g. language data missing); empty when cancelled
    bool cancelled = false;
    [[nodiscard]] bool ok() const { return error.isEmpty() && !cancelled; }
};

// Writes the layers into folder. language: engine codes joined by '+' ("eng+deu"); dataPath:
// the engine's language folder, empty for its default. Reports a page at a time to job.
Result make(const QList<Image>& images, const QString& language, const QString& folder,
            JobControl& job, const QString& dataPath = {});
} // namespace TextLayers
