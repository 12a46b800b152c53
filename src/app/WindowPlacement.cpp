// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include "platform/UserDefaults.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWindow>

namespace {
const QString kKey = QStringLiteral("windowGeometry");
} // namespace

WindowPlacement::WindowPlacement(QWindow& window, UserDefaults& defaults, QObject* parent)
    : QObject(parent), m_window(window), m_defaults(defaults)
{
    // Saved while the window is still there to ask.
    connect(qGuiApp, &QGuiApplication::aboutToQuit, this, &WindowPlacement::save);
}

void WindowPlacement::restore()
{
    const QRect saved = m_defaults.value(kKey).toRect();
    if (!saved.isValid() || saved.width() < 200 || saved.height() < 200)
        return;
    // A screen that has since gone away would leave the window out of sight.
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(saved)) {
            m_window.setGeometry(saved);
            return;
        }
    }
    m_window.resize(saved.size());
}

void WindowPlacement::save()
{
    if (m_window.visibility() == QWindow::FullScreen || m_window.visibility() == QWindow::Maximized)
        return; // the size to come back to is the one before
    m_defaults.setValue(kKey, m_window.geometry());
    m_defaults.synchronize();
}
