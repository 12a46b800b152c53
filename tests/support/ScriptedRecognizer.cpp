// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedRecognizer.h"

void ScriptedRecognizer::answerLines(const QStringList& lines)
{
    Recognition r;
    for (const QString& l : lines)
        r.lines << RecognizedLine{{l}, 90};
    answer(r);
}

void ScriptedRecognizer::answer(const Recognition& result)
{
    QMutexLocker lock(&m_mutex);
    m_answer = result;
}

Recognition ScriptedRecognizer::perform(const QImage& image)
{
    ++m_performs;
    {
        QMutexLocker lock(&m_mutex);
        m_last = image;
        m_lastLanguage = m_language;
    }
    if (m_hold)
        m_gate.acquire();
    QMutexLocker lock(&m_mutex);
    return m_answer;
}

QImage ScriptedRecognizer::lastImage() const
{
    QMutexLocker lock(&m_mutex);
    return m_last;
}

void ScriptedRecognizer::setLanguage(const QString& language)
{
    QMutexLocker lock(&m_mutex);
    m_language = language;
}

QString ScriptedRecognizer::lastLanguage() const
{
    QMutexLocker lock(&m_mutex);
    return m_lastLanguage;
}
