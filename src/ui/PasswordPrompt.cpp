// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasswordPrompt.h"

#include "platform/Dispatcher.h"
#include "topdf/PdfPassword.h"

#include <QFileInfo>
#include <QPointer>

PasswordPrompt::PasswordPrompt(Dispatcher& dispatcher, QObject* parent)
    : QObject(parent), m_dispatcher(dispatcher)
{
}

void PasswordPrompt::ask(const QString& path, Opened opened, Cancelled cancelled)
{
    m_path = path;
    m_fileName = QFileInfo(path).fileName();
    m_opened = std::move(opened);
    m_cancelled = std::move(cancelled);
    m_asking = false;
    m_message.clear();
    emit changed();
    submit({});
}

void PasswordPrompt::submit(const QString& password)
{
    if (m_asking && password.isEmpty()) {
        setState(true, tr("Type the password of the PDF."));
        return;
    }
    // Opening reads the file's trailer, which on a damaged file can take a while.
    const int serial = ++m_serial;
    const QString path = m_path;
    const QByteArray bytes = password.toUtf8();
    QPointer<PasswordPrompt> self(this);
    Dispatcher* dispatcher = &m_dispatcher;
    m_dispatcher.background([=] {
        const auto lock = int(PdfPassword::check(path, bytes));
        dispatcher->async([=] {
            if (self && serial == self->m_serial)
                self->checked(lock, bytes);
        });
    });
}

void PasswordPrompt::checked(int lock, const QByteArray& password)
{
    switch (PdfPassword::Lock(lock)) {
    case PdfPassword::Lock::Needed:
        setState(true, {});
        return;
    case PdfPassword::Lock::Wrong:
        setState(true, tr("That password does not open the PDF. Try again."));
        return;
    case PdfPassword::Lock::Open:
        setState(false, {});
        if (m_opened)
            m_opened(password);
        return;
    case PdfPassword::Lock::Unreadable:
        break;
    }
    // Whoever reads it says what is wrong with it, as with any file that does not open.
    setState(false, {});
    if (m_opened)
        m_opened({});
}

void PasswordPrompt::cancel()
{
    ++m_serial;
    setState(false, {});
    if (m_cancelled)
        m_cancelled();
}

void PasswordPrompt::setState(bool asking, const QString& message)
{
    if (asking == m_asking && message == m_message)
        return;
    m_asking = asking;
    m_message = message;
    emit changed();
}
