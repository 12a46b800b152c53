// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

// One alert request: title, message and dismissing buttons in order.
struct Alert
{
    struct Action
    {
        QString title;
        std::function<void()> handler;
    };
    QString title;
    QString message;
    std::vector<Action> actions;
};

// Queue of alerts that screens present; the window shows the front one as a dialog.
class AlertCenter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool showing READ showing NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString message READ message NOTIFY changed)
    Q_PROPERTY(QStringList buttons READ buttons NOTIFY changed)
  public:
    using QObject::QObject;

    void present(Alert alert);
    // The user pressed button index of the front alert; runs its handler and closes it.
    Q_INVOKABLE void respond(int index);

    [[nodiscard]] bool showing() const { return !m_queue.empty(); }
    [[nodiscard]] QString title() const;
    [[nodiscard]] QString message() const;
    [[nodiscard]] QStringList buttons() const;
    // Every alert presented so far, for the record (tests read it).
    [[nodiscard]] const std::vector<Alert>& presented() const { return m_presented; }

  signals:
    void changed();

  private:
    std::vector<Alert> m_queue;
    std::vector<Alert> m_presented;
};
