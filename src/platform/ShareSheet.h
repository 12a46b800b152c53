#pragma once

#include "Image.h"

#include <QList>
#include <QObject>
#include <QUrl>

// One thing offered to the share sheet: file bytes, an image, text or an address.
struct ShareItem
{
    enum Kind
    {
        Data,
        Picture,
        Text,
        Link
    };
    Kind kind = Data;
    QByteArray data;
    QString fileName; // suggested name for Data items
    Image image;
    QString text;
    QUrl url;

    static ShareItem fromData(const QByteArray& bytes, const QString& fileName);
    static ShareItem fromImage(const Image& image);
    static ShareItem fromText(const QString& text);
    static ShareItem fromUrl(const QUrl& url);
};

// The share sheet: Save a copy…, Copy, Open with the default app, over the items a screen gives.
class ShareSheet : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool showing READ showing NOTIFY changed)
    Q_PROPERTY(int itemCount READ itemCount NOTIFY changed)
  public:
    using QObject::QObject;

    // Shows the sheet with items, in the order the screen gives them.
    virtual void present(const QList<ShareItem>& items);
    Q_INVOKABLE virtual void close();

    [[nodiscard]] bool showing() const { return m_showing; }
    [[nodiscard]] int itemCount() const { return int(m_items.size()); }
    [[nodiscard]] const QList<ShareItem>& items() const { return m_items; }
    // Every item list presented so far (tests read it).
    [[nodiscard]] const QList<QList<ShareItem>>& presented() const { return m_presented; }

  signals:
    void changed();

  protected:
    QList<ShareItem> m_items;
    QList<QList<ShareItem>> m_presented;
    bool m_showing = false;
};
