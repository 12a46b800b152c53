// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeifImagePlugin.h"

#include "HeifImageHandler.h"

QImageIOPlugin::Capabilities HeifImagePlugin::capabilities(QIODevice* device,
                                                           const QByteArray& format) const
{
    if (format == "heic" || format == "heif")
        return CanRead;
    if (!format.isEmpty() || !device || !device->isOpen())
        return {};
    return HeifImageHandler::canRead(device) ? CanRead : Capabilities();
}

QImageIOHandler* HeifImagePlugin::create(QIODevice* device, const QByteArray& format) const
{
    auto* handler = new HeifImageHandler;
    handler->setDevice(device);
    handler->setFormat(format.isEmpty() ? QByteArrayLiteral("heic") : format);
    return handler;
}
