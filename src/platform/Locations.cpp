// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Locations.h"

#include "common/LocalPath.h"

#include <QDir>
#include <QStandardPaths>

Locations Locations::fromEnvironment()
{
    Locations l;
    // By bytes: a folder name that is not UTF-8 must stay that folder.
    const QString docs = LocalPath::decode(qgetenv("QUIRE_DOCUMENTS"));
    l.documents = !docs.isEmpty()
                      ? docs
                      : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                            QStringLiteral("/Quire");
    const QString photos = qEnvironmentVariable("QUIRE_PHOTO_LIBRARY");
    l.photoLibrary = !photos.isEmpty()
                         ? photos
                         : QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    l.inbox = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
              QStringLiteral("/Inbox");
    l.documents = QDir::cleanPath(l.documents);
    l.photoLibrary = QDir::cleanPath(l.photoLibrary);
    return l;
}
