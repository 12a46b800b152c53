// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

// One recognised line of text: its candidate readings, best first (may be empty).
struct RecognizedLine
{
    QStringList candidates;
    float confidence = 0; // of the best candidate, 0..100
};

// What one perform gives: the lines in reading order, or why there are none.
struct Recognition
{
    enum Failure
    {
        None,
        Unavailable, // the engine or its language data could not be loaded
        Failed       // the engine ran and failed on this image
    };
    QList<RecognizedLine> lines;
    Failure failure = None;
    QString error; // a description for the console and, when Unavailable, for the user

    [[nodiscard]] bool ok() const { return failure == None; }
    static Recognition failed(Failure failure, const QString& error)
    {
        return {{}, failure, error};
    }
};

// On-device text recognition of one upright bitmap. perform() may be called from any thread;
// implementations serialise calls themselves.
class TextRecognizer
{
  public:
    virtual ~TextRecognizer() = default;
    [[nodiscard]] virtual Recognition perform(const QImage& image) = 0;
    // The languages to read, as engine codes joined by '+' ("eng+deu"); applies from the next
    // perform.
    virtual void setLanguage(const QString& language) { Q_UNUSED(language) }
};
