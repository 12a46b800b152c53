// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QPDFWriter;

// Protected PDFs: whether one opens with a given password, and AES-256 protection of a PDF being
// written. Passwords pass through here only; nothing keeps or logs them.
class PdfPassword
{
  public:
    enum class Lock
    {
        Open,      // no password needed, or the one given opens it
        Needed,    // protected, and no password was given
        Wrong,     // protected, and the password given does not open it
        Unreadable // no PDF qpdf can read at all
    };
    // How the PDF at path opens with password (empty: none).
    [[nodiscard]] static Lock check(const QString& path, const QByteArray& password);
    // Makes writer protect its output with password (AES-256, revision 6): the same password
    // opens the file and lifts its restrictions, and nothing is restricted.
    static void protect(QPDFWriter& writer, const QByteArray& password);
    // What people are told about a PDF locked this way ("is protected by a password").
    [[nodiscard]] static QString reason(Lock lock);
};
