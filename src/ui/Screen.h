// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Services.h"

#include <QObject>
#include <QString>
#include <QtQmlIntegration/qqmlintegration.h>

// Base of every screen: lifecycle callbacks, transition preparation and stack helpers.
class Screen : public QObject
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(QString screenName READ screenName CONSTANT)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
  public:
    explicit Screen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QString screenName() const;
    [[nodiscard]] QString title() const { return m_title; }

    virtual void viewDidLoad() {}
    virtual void viewWillAppear() {}
    // Hands data forward to the destination of the transition segue.
    virtual void prepare(const QString& segue, Screen* destination);
    // The screen goHome returns to; the home screen lives above this layer, so it says so itself.
    [[nodiscard]] virtual bool isHome() const { return false; }

    // Sender-less transition by identifier, as the navigation graph allows.
    Q_INVOKABLE bool performSegue(const QString& segue);
    Q_INVOKABLE void popScreen();
    // Pops down to the first HomeScreen from the bottom; nothing when there is none.
    Q_INVOKABLE void goHome();

  signals:
    void titleChanged();

  protected:
    void setTitle(const QString& title);
    [[nodiscard]] Services& services() const { return m_services; }

  private:
    Services& m_services;
    QString m_title;
};
