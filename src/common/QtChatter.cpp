// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtChatter.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace {
void fatalMessagesOnly(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}
} // namespace

namespace QtChatter {

void fatalOnly()
{
    if (qEnvironmentVariableIsEmpty("QUIRE_CLI_DEBUG"))
        qInstallMessageHandler(fatalMessagesOnly);
}

} // namespace QtChatter
