#include "ShareFiles.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>

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

QString freePath(const QString& folder, const QString& name)
{
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString path = folder + QLatin1Char('/') + name;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder + QStringLiteral("/%1-%2%3").arg(info.completeBaseName()).arg(n).arg(suffix);
    return path;
}

bool write(const ShareItem& item, const QString& path, QString& error)
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
            return false;
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ShareFiles
