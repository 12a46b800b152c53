// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NavigationGraph.h"

#include <QObject>

#include <functional>
#include <map>
#include <vector>

class Screen;
struct Services;

// The one navigation stack: creates screens by transition, prepares, pushes and pops them.
class Navigator : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int depth READ depth NOTIFY stackChanged)
    Q_PROPERTY(Screen* top READ top NOTIFY stackChanged)
    Q_PROPERTY(bool navigationBarHidden READ navigationBarHidden WRITE setNavigationBarHidden NOTIFY
                   navigationBarHiddenChanged)
  public:
    using Factory = std::function<Screen*(Services&)>;

    explicit Navigator(Services& services, QObject* parent = nullptr);
    ~Navigator() override;

    void registerScreen(const QString& name, Factory factory);
    // Places the first screen; the stack takes ownership.
    void setRoot(Screen* screen);
    bool perform(Screen* source, const QString& segue);
    void push(Screen* screen);
    Q_INVOKABLE void pop();
    void popTo(Screen* screen);
    Q_INVOKABLE void goHome();
    // With a view attached, a popped screen lives on until its page is gone (release()), so the
    // page's bindings never see it vanish while it slides out. Without one it goes at once.
    void setViewAttached(bool attached) { m_viewAttached = attached; }
    Q_INVOKABLE void release(Screen* screen);

    [[nodiscard]] int depth() const { return int(m_stack.size()); }
    [[nodiscard]] Screen* top() const { return m_stack.empty() ? nullptr : m_stack.back(); }
    [[nodiscard]] Screen* at(int i) const { return m_stack.at(size_t(i)); }
    [[nodiscard]] const std::vector<Screen*>& stack() const { return m_stack; }
    [[nodiscard]] bool navigationBarHidden() const { return m_barHidden; }
    void setNavigationBarHidden(bool hidden);

  signals:
    void pushed(Screen* screen);
    void popped(int depth);
    void stackChanged();
    void navigationBarHiddenChanged();
    // A transition was requested (before the destination is pushed); tests and logs watch it.
    void transitionPerformed(const QString& segue, Screen* destination);

  private:
    Services& m_services;
    std::map<QString, Factory> m_factories;
    std::vector<Screen*> m_stack;
    std::vector<Screen*> m_leaving;
    bool m_viewAttached = false;
    bool m_barHidden = false;
};
