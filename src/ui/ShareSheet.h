// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"
#include "jobs/Job.h"

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
    Q_PROPERTY(QUrl saveFolder READ saveFolder NOTIFY changed)
  public:
    // The start of the names of the folders that hold files handed to other apps.
    static constexpr const char* kTemporaryPrefix = "quire-share-";
    // The setting that remembers where the last copy was saved.
    static constexpr const char* kSaveFolderKey = "saveCopyFolder";

    using QObject::QObject;
    ~ShareSheet() override;
    // Where confirmations, alerts, the clipboard and the default apps are reached.
    void setServices(Services* services) { m_services = services; }

    // Shows the sheet with items, in the order the screen gives them.
    virtual void present(const QList<ShareItem>& items);
    Q_INVOKABLE virtual void close();

    // Save a copy…: one item to the file target, several into the folder target, that one
    // through the job runner with progress and Cancel. A missing folder is made. A file already
    // there is kept and the copy numbered ("Keep both"), unless replace.
    Q_INVOKABLE bool saveCopy(const QUrl& target, bool replace = false);
    // What the save chooser hands back: its folder and the name typed (a name, a path below the
    // folder or an absolute one; empty for several items). Asks first when that would meet
    // files already there, with "Keep both" as the answer Enter gives.
    Q_INVOKABLE void saveTo(const QUrl& folder, const QString& name);
    // Where the save chooser starts: the folder of the last save, else Documents, else home;
    // always one that exists.
    [[nodiscard]] QUrl saveFolder() const;
    // The running save of several items, if any.
    [[nodiscard]] Job* savingJob() const { return m_saving.get(); }
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
    bool saveOne(const QString& path, bool replace);
    // The names that saving to path would find taken.
    [[nodiscard]] QStringList takenNames(const QString& path) const;
    bool saveAll(const QString& folder, bool replace);
    void rememberFolder(const QString& folder);

    Services* m_services = nullptr;
    std::unique_ptr<QTemporaryDir> m_temporary;
    std::unique_ptr<Job> m_saving;
    int m_batches = 0;
};
