// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <memory>

namespace tesseract {
class TessBaseAPI;
}

// Starting a Tesseract engine the way every reader in Quire wants it.
namespace TesseractEngine {
// An LSTM engine for language ("eng+deu") from dataPath (empty: Tesseract's default), quiet and
// in automatic page layout; null, with error naming the Debian packages of missing languages.
std::unique_ptr<tesseract::TessBaseAPI> open(const QString& language, const QString& dataPath,
                                             QString& error);
// Tesseract's LSTM asks OpenMP for many threads; on a small machine one is several times faster.
// Call on each thread that recognises, before it does.
void keepOpenMpToOneThread();
// 8-bit grey, as Tesseract reads it; transparent parts become white paper, not black ink.
QImage toGrey(const QImage& image);
// Hands api the 8-bit grey picture to read, or the band of its rows from top, height tall, as a
// picture of its own (not copied: grey must outlive the reading).
void setImage(tesseract::TessBaseAPI& api, const QImage& grey, int top = 0, int height = -1);
} // namespace TesseractEngine
