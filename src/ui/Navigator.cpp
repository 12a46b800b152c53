// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Navigator.h"

#include "Screen.h"
#include "common/Logging.h"

#include <QDebug>
#include <algorithm>

Navigator::Navigator(Services& services, QObject* parent) : QObject(parent), m_services(services)
{
}

Navigator::~Navigator()
{
    for (Screen* s : m_stack)
        delete s;
}

void Navigator::registerScreen(const QString& name, Factory factory)
{
    m_factories[name] = std::move(factory);
}

void Navigator::setRoot(Screen* screen)
{
    push(screen);
}

bool Navigator::perform(Screen* source, const QString& segue)
{
    const QString from = source->screenName();
    for (const Transition& t : navigationGraph()) {
        if (t.from != from || t.segue != segue)
            continue;
        auto factory = m_factories.find(t.to);
        if (factory == m_factories.end()) {
            qCWarning(lcUi) << "No screen registered for" << t.to;
            return false;
        }
        Screen* destination = factory->second(m_services);
        source->prepare(segue, destination);
        emit transitionPerformed(segue, destination);
        push(destination);
        return true;
    }
    qCWarning(lcUi) << "No transition" << segue << "from" << from;
    return false;
}

void Navigator::push(Screen* screen)
{
    screen->setParent(this);
    m_stack.push_back(screen);
    screen->viewDidLoad();
    screen->viewWillAppear();
    emit pushed(screen);
    emit stackChanged();
}

void Navigator::pop()
{
    if (m_stack.size() < 2)
        return;
    popTo(m_stack[m_stack.size() - 2]);
}

void Navigator::popTo(Screen* screen)
{
    auto it = std::ranges::find(m_stack, screen);
    if (it == m_stack.end() || it + 1 == m_stack.end())
        return;
    // Screens go later so that work already queued against them can still finish safely.
    for (auto gone = it + 1; gone != m_stack.end(); ++gone) {
        if (m_viewAttached)
            m_leaving.push_back(*gone);
        else
            (*gone)->deleteLater();
    }
    m_stack.erase(it + 1, m_stack.end());
    emit popped(depth());
    emit stackChanged();
    screen->viewWillAppear();
}

void Navigator::release(Screen* screen)
{
    auto it = std::ranges::find(m_leaving, screen);
    if (it == m_leaving.end())
        return;
    m_leaving.erase(it);
    screen->deleteLater();
}

void Navigator::goHome()
{
    for (Screen* s : m_stack) {
        if (s->isHome()) {
            popTo(s);
            return;
        }
    }
}

void Navigator::setNavigationBarHidden(bool hidden)
{
    if (hidden == m_barHidden)
        return;
    m_barHidden = hidden;
    emit navigationBarHiddenChanged();
}
