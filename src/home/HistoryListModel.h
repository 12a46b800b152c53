// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

#include <set>
#include <vector>

class HistoryStore;

// The rows of the history table (one TableViewCellHistory each): name, size text, icon or picture.
// A job that wrote many files shows as one row that opens to list them.
class HistoryListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
  public:
    enum Role
    {
        TitleRole = Qt::UserRole + 1,
        SizeRole,
        IsPdfRole,
        FileUrlRole,  // on a job's row, its first file
        FilesRole,    // on a job's row, how many files it stands for; 0 on a file's row
        ExpandedRole, // a job's row that lists its files below it
        InGroupRole   // a file's row listed under its job's row
    };
    // More files than this from one job are one row: a thousand pages would bury the rest.
    static constexpr int kGroupAbove = 10;

    explicit HistoryListModel(HistoryStore& store, QObject* parent = nullptr);

    // Takes a fresh snapshot of the history and measures each file again.
    void reload();
    // Opens or closes the job's row at index; false on a file's row.
    bool toggle(int index);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;
    Q_INVOKABLE [[nodiscard]] QVariantMap row(int index) const;

  signals:
    void countChanged();

  private:
    struct Row
    {
        QUrl url;
        QString title;
        QString size;
        bool isPdf = false;
        quint64 job = 0;
        int files = 0;
        bool expanded = false;
        bool inGroup = false;
        bool operator==(const Row&) const = default;
    };
    [[nodiscard]] std::vector<Row> shown() const;

    HistoryStore& m_store;
    std::vector<Row> m_files; // every entry, newest first
    std::vector<Row> m_rows;  // what the table shows
    std::set<quint64> m_expanded;
};
