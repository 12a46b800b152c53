// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Folders a process makes for its own passing use (private copies, files for a share), named
// after it so that they can be taken away once it has gone, even when it was killed: another
// Quire running beside it keeps its own.
class OwnedFolders
{
  public:
    // The start of this process's folder names: prefix, its process id, a dash.
    [[nodiscard]] static QString ownPrefix(const QString& prefix);
    // Removes, with their contents, the folders in parent named prefix... that belong to no
    // running process (those of a process that is gone, and any not named after one).
    static void removeStale(const QString& parent, const QString& prefix);
    // Removes this process's own.
    static void removeOwn(const QString& parent, const QString& prefix);
};
