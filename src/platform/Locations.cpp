#include "Locations.h"

#include <QDir>
#include <QStandardPaths>

Locations Locations::fromEnvironment()
{
    Locations l;
    const QString docs = qEnvironmentVariable("QUIRE_DOCUMENTS");
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
