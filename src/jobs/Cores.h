// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How many cores Quire's own parallel work may use: PDF helper processes, text recognition
// threads and the shared thread pool. Every core by default; QUIRE_JOBS or setLimit lower it, so
// that several Quire processes on one machine do not each claim all of it.
class Cores
{
  public:
    // At least 1: the cores this process may run on, capped by the limit.
    [[nodiscard]] static int count();
    // A cap from the caller (quire-cli's --jobs); 0 goes back to QUIRE_JOBS or every core. The
    // shared thread pool follows it.
    static void setLimit(int limit);
    // The cap QUIRE_JOBS sets: a whole number of at least 1, else 0 (none).
    [[nodiscard]] static int fromEnvironment();
};
