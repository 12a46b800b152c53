#include "ShareFiles.h"

#include "common/NewFile.h"

#include <QBuffer>
#include <QFileInfo>

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

QString write(const ShareItem& item, const QString& folder, const QString& name, QString& error)
{
    QByteArray bytes;
    switch (item.kind) {
    case ShareItem::Data:
        bytes = item.data;
        break;
    case ShareItem::Picture: {
        const QImage pixels = item.image.toQImage();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (pixels.isNull() || !pixels.save(&buffer, "PNG")) {
            error = QStringLiteral("The picture could not be encoded.");
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
    const QString path = file.commit(NewFile::numbered(info.completeBaseName(), info.suffix()));
    if (path.isEmpty())
        error = file.errorString();
    return path;
}

} // namespace ShareFiles
