#include "ShareSheet.h"

ShareItem ShareItem::fromData(const QByteArray& bytes, const QString& fileName)
{
    ShareItem i;
    i.kind = Data;
    i.data = bytes;
    i.fileName = fileName;
    return i;
}

ShareItem ShareItem::fromImage(const Image& image)
{
    ShareItem i;
    i.kind = Picture;
    i.image = image;
    return i;
}

ShareItem ShareItem::fromText(const QString& text)
{
    ShareItem i;
    i.kind = Text;
    i.text = text;
    return i;
}

ShareItem ShareItem::fromUrl(const QUrl& url)
{
    ShareItem i;
    i.kind = Link;
    i.url = url;
    return i;
}

void ShareSheet::present(const QList<ShareItem>& items)
{
    m_items = items;
    m_presented.append(items);
    m_showing = true;
    emit changed();
}

void ShareSheet::close()
{
    m_showing = false;
    emit changed();
}
