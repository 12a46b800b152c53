// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QpdfChatter.h"

#include <QtGlobal>

#include <qpdf/QPDFLogger.hh>

namespace QpdfChatter {

void discard()
{
    if (!qEnvironmentVariableIsEmpty("QUIRE_CLI_DEBUG"))
        return;
    const auto qpdf = QPDFLogger::defaultLogger();
    qpdf->setWarn(qpdf->discard());
    qpdf->setError(qpdf->discard());
}

} // namespace QpdfChatter
