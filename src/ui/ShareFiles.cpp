// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShareFiles.h"

#include "common/NewFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace ShareFiles {

QString suggestedName(const ShareItem& item)
{
    switch (item.kind) {
    case ShareItem::Data:
        return item.fileName.isEmpty() ? QStringLiteral("File") : item.fileName;
    case ShareItem::Picture: {
        const QString base = QFileInfo(item.image.sourcePath()).completeBaseName();
        return (base.isEmpty() ? QStringLiteral("Image") : base) + QStringLiteral(".png");
    }
    case ShareItem::Text:
        return QStringLiteral("Text.txt");
    case ShareItem::Link:
        return QStringLiteral("Link.txt");
    }
    return {};
}

QString write(const ShareItem& item, const QString& folder, const QString& name, QString& error,
              bool replace)
{
    QByteArray bytes;
    switch (item.kind) {
    case ShareItem::Data:
        bytes = item.data;
        break;
    case ShareItem::Picture: {
        if (item.image.sourceFormat() == "png" &&
            item.image.transformation() == QImageIOHandler::TransformationNone) {
            bytes = item.image.sourceBytes();
            if (!bytes.isEmpty())
                break;
        }
        const QImage pixels = item.image.toQImage();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (pixels.isNull() || !pixels.save(&buffer, "PNG")) {
            error = QCoreApplication::translate("ShareFiles", "The picture could not be encoded.");
            return {};
        }
        break;
    }
    case ShareItem::Text:
        bytes = item.text.toUtf8();
        break;
    case ShareItem::Link:
        bytes = item.url.toString().toUtf8();
        break;
    }
    NewFile file(folder);
    if (!file.open() || file.device().write(bytes) != bytes.size()) {
        error = file.errorString().isEmpty() ? file.device().errorString() : file.errorString();
        return {};
    }
    const QFileInfo info(name);
    // A replacement is written whole beside the old file first, then takes its name at once.
    QString path =
        file.commit(replace ? NewFile::numbered(QStringLiteral(".") + name, QStringLiteral("part"))
                            : NewFile::numbered(info.completeBaseName(), info.suffix()));
    if (path.isEmpty()) {
        error = file.errorString();
        return {};
    }
    if (!replace)
        return path;
    QString target = folder + QLatin1Char('/') + name;
    if (std::rename(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) !=
        0) {
        error = NewFile::reason(errno);
        QFile::remove(path);
        return {};
    }
    return target;
}

} // namespace ShareFiles
