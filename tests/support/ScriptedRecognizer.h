// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextRecognizer.h"

#include <QMutex>
#include <QSemaphore>

#include <atomic>

// A text recogniser that answers what the test scripted and remembers what it was shown.
class ScriptedRecognizer : public TextRecognizer
{
  public:
    // Each string becomes one line whose only candidate it is.
    void answerLines(const QStringList& lines);
    void answer(const Recognition& result);
    // Makes perform wait until release(), to catch a run while it is under way.
    void hold() { m_hold = true; }
    void release() { m_gate.release(); }

    [[nodiscard]] Recognition perform(const QImage& image) override;
    void setLanguage(const QString& language) override;
    // The languages the last perform was asked to read with.
    [[nodiscard]] QString lastLanguage() const;

    [[nodiscard]] int performs() const { return m_performs; }
    // The last image performed on (a copy).
    [[nodiscard]] QImage lastImage() const;

  private:
    mutable QMutex m_mutex;
    Recognition m_answer;
    QImage m_last;
    QString m_language = QStringLiteral("eng");
    QString m_lastLanguage;
    std::atomic<int> m_performs{0};
    std::atomic<bool> m_hold{false};
    QSemaphore m_gate;
};
