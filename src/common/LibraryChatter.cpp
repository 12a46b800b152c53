// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryChatter.h"

#include "QpdfChatter.h"
#include "QtChatter.h"
#include "TiffChatter.h"

#include <QtGlobal>

#include <allheaders.h>
#include <poppler/qt6/poppler-qt6.h>

namespace LibraryChatter {

void quiet(bool everything)
{
    if (!qEnvironmentVariableIsEmpty("QUIRE_CLI_DEBUG"))
        return;
    setMsgSeverity(L_SEVERITY_NONE); // Leptonica's "Error in pixRead..."
    QpdfChatter::discard();
    TiffChatter::discard();
    Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, {}); // its repairs
    if (!everything)
        QtChatter::fatalOnly();
}

} // namespace LibraryChatter
