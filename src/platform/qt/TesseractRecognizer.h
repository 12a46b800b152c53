// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextRecognizer.h"

#include <QMutex>

#include <algorithm>
#include <memory>
#include <vector>

namespace tesseract {
class TessBaseAPI;
}

// Text recognition by Tesseract's LSTM engine. The engine is loaded on first use and kept; one
// perform runs at a time, sharing its page between engines when it is given more than one.
class TesseractRecognizer : public TextRecognizer
{
  public:
    // language: Tesseract language codes joined by '+', e.g. "eng" or "eng+deu". dataPath: the
    // tessdata folder; empty for Tesseract's own default (or TESSDATA_PREFIX).
    explicit TesseractRecognizer(QString language = QStringLiteral("eng"), QString dataPath = {});
    ~TesseractRecognizer() override;

    [[nodiscard]] Recognition perform(const QImage& image) override;
    void setLanguage(const QString& language) override;
    // Loads the engines now instead of on the first perform; an empty text when they are ready.
    QString load();
    [[nodiscard]] QString language() const;
    // Each perform gives up (failing) after this many seconds; 0: no limit.
    void setTimeLimit(double seconds) { m_timeLimitMs = int(std::min(seconds, 1e6) * 1000); }
    // Engines reading one page at once, each on its own thread and its own pieces of the page's
    // text (1: the page in one piece, as Tesseract alone reads it).
    void setEngines(int count);
    // Whether each line also gets the engine's other readings (on by default); without them
    // reading takes less work. Counts from the next load.
    void setAlternatives(bool on) { m_alternatives = on; }

  private:
    QString loadLocked();
    bool loadHelpersLocked();
    // An engine for the language, with the runner-up readings kept or not; null with error.
    [[nodiscard]] std::unique_ptr<tesseract::TessBaseAPI> openEngine(QString& error) const;
    [[nodiscard]] std::unique_ptr<tesseract::TessBaseAPI> openHelper() const;
    enum class Pieces
    {
        Blocks, // of one layout, found on the first engine
        Bands   // across the page, each laid out by the engine that reads it
    };
    Recognition readPieces(const QImage& grey, const QList<QRect>& pieces, Pieces kind);

    QString m_language;
    const QString m_dataPath;
    mutable QMutex m_mutex;
    std::unique_ptr<tesseract::TessBaseAPI> m_api;
    std::vector<std::unique_ptr<tesseract::TessBaseAPI>>
        m_helpers; // beside m_api; empty: not loaded
    int m_engines = 1;
    bool m_alternatives = true;
    int m_timeLimitMs = 0;
};
