// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QtGlobal>

// The bitmap memory that photo decoding may hold at once, shared by every worker of the process:
// a worker takes its photo's share before decoding and gives it back when done, so huge photos
// go through fewer at a time while small ones still use every core.
class MemoryBudget
{
  public:
    static constexpr qint64 kTotal = qint64(1) << 30;

    // Waits until the share fits beside the others (a share above the total waits to be alone).
    class Share
    {
      public:
        explicit Share(qint64 bytes);
        ~Share();
        Share(const Share&) = delete;
        Share& operator=(const Share&) = delete;

      private:
        qint64 m_bytes = 0;
    };

    // What a decoded photo of this size holds, with room for one working copy.
    [[nodiscard]] static qint64 costOf(QSize pixels)
    {
        return qint64(qMax(0, pixels.width())) * qMax(0, pixels.height()) * 4 * 2;
    }
    // Bytes currently taken (for tests and diagnostics).
    [[nodiscard]] static qint64 inUse();
};
