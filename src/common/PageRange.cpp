// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageRange.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

std::optional<PageRange> PageRange::parse(const QString& text, QString* error)
{
    auto refuse = [error](const QString& why) -> std::optional<PageRange> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    PageRange range;
    if (text.trimmed().isEmpty())
        return range;
    static const QRegularExpression piece(QStringLiteral("^\\s*(\\d+)\\s*(?:-\\s*(\\d+)\\s*)?$"));
    for (const QString& part : text.split(QLatin1Char(','))) {
        const auto m = piece.match(part);
        if (!m.hasMatch())
            return refuse(part.trimmed().isEmpty()
                              ? QCoreApplication::translate(
                                    "PageRange", "An empty entry in the page range \"%1\".")
                                    .arg(text)
                              : QCoreApplication::translate(
                                    "PageRange", "\"%1\" is not a page or a range of pages like "
                                                 "\"1-3\".")
                                    .arg(part.trimmed()));
        bool ok1 = false, ok2 = true;
        const int first = m.captured(1).toInt(&ok1);
        const int last = m.hasCaptured(2) ? m.captured(2).toInt(&ok2) : first;
        if (!ok1 || !ok2)
            return refuse(
                QCoreApplication::translate("PageRange", "\"%1\" names a page beyond any document.")
                    .arg(part.trimmed()));
        if (first < 1 || last < 1)
            return refuse(QCoreApplication::translate(
                "PageRange", "Pages are counted from 1; there is no page 0."));
        if (last < first)
            return refuse(
                // NOLINTNEXTLINE(modernize-raw-string-literal): the form lupdate reads
                QCoreApplication::translate("PageRange", "\"%1\" runs backwards; write \"%2-%3\".")
                    .arg(part.trimmed())
                    .arg(last)
                    .arg(first));
        range.m_spans.append({first, last});
    }
    return range;
}

int PageRange::lastPage() const
{
    int last = 0;
    for (const Span& s : m_spans)
        last = std::max(last, s.last);
    return last;
}

QList<int> PageRange::indices(int pageCount) const
{
    QList<int> out;
    if (isAll()) {
        for (int i = 0; i < pageCount; ++i)
            out.append(i);
        return out;
    }
    QSet<int> seen;
    for (const Span& s : m_spans)
        for (int p = s.first; p <= std::min(s.last, pageCount); ++p)
            if (!seen.contains(p)) {
                seen.insert(p);
                out.append(p - 1);
            }
    return out;
}

QString PageRange::toString() const
{
    QStringList parts;
    for (const Span& s : m_spans)
        parts << (s.first == s.last ? QString::number(s.first)
                                    : QStringLiteral("%1-%2").arg(s.first).arg(s.last));
    return parts.join(QStringLiteral(", "));
}
