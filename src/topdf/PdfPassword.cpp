// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPassword.h"

#include "common/LocalPath.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

PdfPassword::Lock PdfPassword::check(const QString& path, const QByteArray& password)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        // Opening reads the trailer and checks the password; the pages are not parsed.
        pdf.processFile(LocalPath::encode(path).constData(), password.constData());
        return Lock::Open;
    } catch (const QPDFExc& e) {
        if (e.getErrorCode() == qpdf_e_password)
            return password.isEmpty() ? Lock::Needed : Lock::Wrong;
        return Lock::Unreadable;
    } catch (const std::exception&) {
        return Lock::Unreadable;
    }
}

void PdfPassword::protect(QPDFWriter& writer, const QByteArray& password)
{
    // One password for both roles: whoever can open the file may do anything with it, as with
    // a file of their own; the protection is against other people reading it.
    writer.setR6EncryptionParameters(password.constData(), password.constData(), true, true, true,
                                     true, true, true, qpdf_r3p_full, true);
}

QString PdfPassword::reason(Lock lock)
{
    switch (lock) {
    case Lock::Needed:
        return QStringLiteral("is protected by a password");
    case Lock::Wrong:
        return QStringLiteral("is protected by a password, and the one given does not open it");
    case Lock::Unreadable:
        return QStringLiteral("not a readable PDF");
    case Lock::Open:
        break;
    }
    return {};
}
