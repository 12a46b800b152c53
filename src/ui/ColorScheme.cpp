// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorScheme.h"

#include "platform/UserDefaults.h"
#include "platform/qt/PortalColorScheme.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

ColorScheme::ColorScheme(QObject* parent) : QObject(parent)
{
    if (qEnvironmentVariableIsEmpty("QUIRE_COLOR_SCHEME")) {
        m_portal = new PortalColorScheme(this);
        connect(m_portal, &PortalColorScheme::preferenceChanged, this, &ColorScheme::update);
    }
    update();
    qGuiApp->installEventFilter(this);
}

ColorScheme::~ColorScheme()
{
    if (qGuiApp)
        qGuiApp->removeEventFilter(this);
}

void ColorScheme::setDefaults(UserDefaults* defaults)
{
    m_defaults = defaults;
    const QString kept = defaults ? defaults->value(kChoiceKey).toString() : QString();
    if (kept == QLatin1String("light") || kept == QLatin1String("dark"))
        m_choice = kept;
    update();
    emit choiceChanged();
}

void ColorScheme::setChoice(const QString& choice)
{
    if (choice != QLatin1String("system") && choice != QLatin1String("light") &&
        choice != QLatin1String("dark"))
        return;
    if (choice == m_choice)
        return;
    m_choice = choice;
    if (m_defaults) {
        m_defaults->setValue(kChoiceKey, choice);
        m_defaults->synchronize();
    }
    emit choiceChanged();
    update();
}

bool ColorScheme::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qGuiApp &&
        (event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::ThemeChange))
        update();
    return QObject::eventFilter(watched, event);
}

bool ColorScheme::desktopDark() const
{
    const QByteArray forced = qgetenv("QUIRE_COLOR_SCHEME");
    if (!forced.isEmpty())
        return forced == "dark";
    if (m_portal && m_portal->preference() != PortalColorScheme::Unknown)
        return m_portal->preference() == PortalColorScheme::Dark;
    // Without a portal the preference reaches Qt as its palette: a dark window, a dark scheme.
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

void ColorScheme::update()
{
    const bool dark =
        m_choice == QLatin1String("system") ? desktopDark() : m_choice == QLatin1String("dark");
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit darkChanged();
}
