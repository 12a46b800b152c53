// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The protect subcommand, and the passwords of the PDFs every subcommand reads or writes. A
// password comes from QUIRE_PDF_PASSWORD or the terminal, never from an argument, which anyone
// on the machine can read in the process list; it is neither stored nor printed.
#include "CliApp.h"
#include "TerminalPassword.h"

#include "pdfedit/PdfOrganizer.h"
#include "topdf/PdfPassword.h"

namespace {
constexpr const char* kPasswordVariable = "QUIRE_PDF_PASSWORD";
} // namespace

QCommandLineOption CliApp::protectOption()
{
    return {QStringLiteral("protect"),
            tr("Protect the PDF with a password (AES-256), from QUIRE_PDF_PASSWORD or asked "
               "on the terminal.")};
}

int CliApp::protect(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(BatchOptions::translated(kOutputFile));
    parser.addPositionalArgument(QStringLiteral("PDF"), tr("The PDF to protect."),
                                 QStringLiteral("PDF"));
    if (!parse(parser, args,
               tr("Writes a copy of a PDF that opens only with a password (AES-256), from "
                  "QUIRE_PDF_PASSWORD or asked on the terminal."),
               1, 1))
        return m_helpShown ? 0 : 2;
    return editPdf(parser.value(kOutputFile), true, [](PdfOrganizer&, QString&) { return true; });
}

bool CliApp::protectingPassword(QByteArray& password)
{
    password = qgetenv(kPasswordVariable);
    if (!password.isEmpty())
        return true;
    if (!TerminalPassword::available()) {
        m_err << tr("A password is needed: set QUIRE_PDF_PASSWORD, or run quire-cli on a "
                    "terminal to be asked.\n");
        return false;
    }
    endProgressLine();
    const auto first = TerminalPassword::ask(tr("New password for the PDF: "));
    if (!first || first->isEmpty()) {
        m_err << tr("No password was given.\n");
        return false;
    }
    const auto again = TerminalPassword::ask(tr("The same password again: "));
    if (!again || *again != *first) {
        m_err << tr("The two passwords differ.\n");
        return false;
    }
    password = *first;
    return true;
}

QString CliApp::readingPassword(const QString& path, QByteArray& password)
{
    password.clear();
    const PdfPassword::Lock lock = PdfPassword::check(path, {});
    if (lock != PdfPassword::Lock::Needed)
        return {}; // open, or no PDF: the job says what it makes of that
    if (!m_pdfPassword) {
        if (QByteArray given = qgetenv(kPasswordVariable); !given.isEmpty()) {
            m_pdfPassword = given;
        } else if (TerminalPassword::available()) {
            endProgressLine();
            m_pdfPassword = TerminalPassword::ask(tr("Password for %1: ").arg(path));
        }
    }
    if (!m_pdfPassword || m_pdfPassword->isEmpty())
        return PdfPassword::reason(lock) +
               QStringLiteral(": set QUIRE_PDF_PASSWORD, or run quire-cli on a terminal to be "
                              "asked");
    if (PdfPassword::check(path, *m_pdfPassword) == PdfPassword::Lock::Wrong)
        return PdfPassword::reason(PdfPassword::Lock::Wrong);
    password = *m_pdfPassword;
    return {};
}
