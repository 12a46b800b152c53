// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Screen.h"

#include "Navigator.h"
#include "Services.h"

Screen::Screen(Services& services, QObject* parent) : QObject(parent), m_services(services)
{
}

QString Screen::screenName() const
{
    return QString::fromLatin1(metaObject()->className());
}

void Screen::prepare(const QString&, Screen*)
{
}

bool Screen::performSegue(const QString& segue)
{
    return m_services.navigator->perform(this, segue);
}

void Screen::popScreen()
{
    if (m_services.navigator->top() == this)
        m_services.navigator->pop();
}

// NOLINTNEXTLINE(readability-make-member-function-const): it changes the navigation stack
void Screen::goHome()
{
    m_services.navigator->goHome();
}

void Screen::setTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    emit titleChanged();
}
