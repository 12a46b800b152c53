// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorScheme.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

ColorScheme::ColorScheme(QObject* parent) : QObject(parent)
{
    update();
    qGuiApp->installEventFilter(this);
}

bool ColorScheme::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qGuiApp &&
        (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::ThemeChange))
        update();
    return QObject::eventFilter(watched, event);
}

void ColorScheme::update()
{
    const QByteArray forced = qgetenv("QUIRE_COLOR_SCHEME");
    // The desktop's preference reaches Qt as its palette: a dark window means a dark scheme.
    const bool dark = forced.isEmpty()
                          ? QGuiApplication::palette().color(QPalette::Window).lightness() < 128
                          : forced == "dark";
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit darkChanged();
}
