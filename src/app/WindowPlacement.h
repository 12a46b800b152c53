// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWindow;
class UserDefaults;

// Keeps the window's size and position from one run to the next, in the user defaults.
class WindowPlacement : public QObject
{
    Q_OBJECT
  public:
    WindowPlacement(QWindow& window, UserDefaults& defaults, QObject* parent = nullptr);
    // Puts the window where it was last, when that is still on a screen.
    void restore();
    void save();

  private:
    QWindow& m_window;
    UserDefaults& m_defaults;
};
