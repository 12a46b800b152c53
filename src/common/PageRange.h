// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

// Which pages of a document to take, as people write it: "1-3, 8". Blank means every page.
class PageRange
{
  public:
    // The range, or nullopt with error saying what is wrong ("0", "5-2", "x" are refused).
    static std::optional<PageRange> parse(const QString& text, QString* error = nullptr);

    [[nodiscard]] bool isAll() const { return m_spans.isEmpty(); }
    // The highest page named; 0 for every page.
    [[nodiscard]] int lastPage() const;
    // The 0-based page indices of a document of pageCount pages, in the order written, each once.
    // Pages past the end are left out (check lastPage() first to refuse them).
    [[nodiscard]] QList<int> indices(int pageCount) const;
    // The range written out again ("1-3, 8"); empty for every page.
    [[nodiscard]] QString toString() const;

  private:
    struct Span
    {
        int first = 1;
        int last = 1;
    };
    QList<Span> m_spans;
};
