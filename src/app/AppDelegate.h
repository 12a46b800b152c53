// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct Services;

// Launch set-up: overlay defaults and, on the first launch only, the History folder.
class AppDelegate
{
  public:
    explicit AppDelegate(Services& services) : m_services(services) {}
    // Runs the launch set-up; the bar look itself lives in the window's QML.
    bool didFinishLaunching();

  private:
    Services& m_services;
};
