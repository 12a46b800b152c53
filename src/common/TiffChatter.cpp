// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TiffChatter.h"

#include <QtGlobal>

#include <tiffio.h>

namespace TiffChatter {

void discard()
{
    if (!qEnvironmentVariableIsEmpty("QUIRE_CLI_DEBUG"))
        return;
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
}

} // namespace TiffChatter
