// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQmlIntegration/qqmlintegration.h>

#include <functional>

class Dispatcher;

// Asks for the password of a protected PDF before a screen reads it: what the password dialog
// shows, and the check of each password typed. A password is handed on, never kept or logged;
// the page workers hold the ones that opened a file until the prompt goes.
class PasswordPrompt : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Held by the screens that read PDFs")
    Q_PROPERTY(bool asking READ asking NOTIFY changed)
    // Empty at first; why the last password typed was not taken.
    Q_PROPERTY(QString message READ message NOTIFY changed)
    Q_PROPERTY(QString fileName READ fileName NOTIFY changed)
  public:
    using Opened = std::function<void(const QByteArray& password)>;
    using Cancelled = std::function<void()>;

    explicit PasswordPrompt(Dispatcher& dispatcher, QObject* parent = nullptr);
    ~PasswordPrompt() override;
    PasswordPrompt(const PasswordPrompt&) = delete;
    PasswordPrompt& operator=(const PasswordPrompt&) = delete;

    // Calls opened with the password that opens path: at once with none when it needs none (or
    // is no PDF the reader could open anyway), else once the right one is typed. cancelled when
    // the user backs out instead. known, a password given before, is tried first, so a file
    // opened once is not asked for again.
    void ask(const QString& path, Opened opened, Cancelled cancelled, const QByteArray& known = {});
    Q_INVOKABLE void submit(const QString& password);
    Q_INVOKABLE void cancel();

    [[nodiscard]] bool asking() const { return m_asking; }
    [[nodiscard]] QString message() const { return m_message; }
    [[nodiscard]] QString fileName() const { return m_fileName; }

  signals:
    void changed();

  private:
    void checked(int lock, const QByteArray& password);
    void setState(bool asking, const QString& message);

    Dispatcher& m_dispatcher;
    QStringList m_unlocked; // files the page workers were given a password for
    QString m_path;
    QString m_fileName;
    QString m_message;
    Opened m_opened;
    Cancelled m_cancelled;
    bool m_asking = false;
    int m_serial = 0; // answers of an earlier question are dropped
};
