// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ColorScheme.h"

#include <QQmlApplicationEngine>

struct Services;
class QQuickWindow;

// Makes the one window: exposes the services to QML, loads the shell and puts the start screen.
class SceneDelegate
{
  public:
    explicit SceneDelegate(Services& services);
    // Loads the window; false when the QML could not be loaded.
    bool willConnect();
    [[nodiscard]] QQmlApplicationEngine& engine() { return m_engine; }
    [[nodiscard]] QQuickWindow* window() const;

  private:
    Services& m_services;
    ColorScheme m_colors;
    QQmlApplicationEngine m_engine;
};
