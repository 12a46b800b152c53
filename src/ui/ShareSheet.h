#pragma once

#include "image/Image.h"

#include <QList>
#include <QObject>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

struct Services;

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
    Q_PROPERTY(QString suggestedName READ suggestedName NOTIFY changed)
  public:
    using QObject::QObject;
    ~ShareSheet() override;
    // Where confirmations, alerts, the clipboard and the default apps are reached.
    void setServices(Services* services) { m_services = services; }

    // Shows the sheet with items, in the order the screen gives them.
    virtual void present(const QList<ShareItem>& items);
    Q_INVOKABLE virtual void close();

    // Save a copy…: one item to the file target, several into the folder target.
    Q_INVOKABLE bool saveCopy(const QUrl& target);
    // Copy: text as text, one picture as a picture, anything else as files.
    Q_INVOKABLE bool copy();
    // Open with the default app: each item as a file (a link as itself).
    Q_INVOKABLE bool openWithDefaultApp();
    // The file name the save dialog offers for the first item.
    [[nodiscard]] QString suggestedName() const;

    [[nodiscard]] bool showing() const { return m_showing; }
    [[nodiscard]] int itemCount() const { return int(m_items.size()); }
    [[nodiscard]] const QList<ShareItem>& items() const { return m_items; }
    // Every item list presented so far (tests read it).
    [[nodiscard]] const QList<QList<ShareItem>>& presented() const { return m_presented; }

  signals:
    void changed();

  private:
    QList<ShareItem> m_items;
    QList<QList<ShareItem>> m_presented;
    bool m_showing = false;

    // Writes every item into a private folder that lives as long as the sheet; empty on failure.
    QList<QUrl> writeTemporaryFiles(QString& error);
    void report(bool ok, const QString& success, const QString& failure, const QString& error);

    Services* m_services = nullptr;
    std::unique_ptr<QTemporaryDir> m_temporary;
    int m_batches = 0;
};
