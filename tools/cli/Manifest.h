// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The input paths of a batch listed in a file (or on stdin): one a line, or each ended by NUL as
// find -print0 writes them, for names that hold a newline.
class Manifest
{
  public:
    // Reads the paths from path ("-": stdin); false with error saying why when it cannot. Empty
    // entries are left out; names keep their bytes, spaces and all.
    bool read(const QString& path, bool nulSeparated, QString& error);
    [[nodiscard]] QStringList paths() const { return m_paths; }

    // The part of paths that task index of count takes: every count-th from index, so each task
    // gets a share of the big and the small inputs alike. Every path falls in one task only.
    [[nodiscard]] static QStringList slice(const QStringList& paths, int index, int count);

  private:
    QStringList m_paths;
};
