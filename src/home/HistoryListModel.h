// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

#include <vector>

class HistoryStore;

// The rows of the history table (one TableViewCellHistory each): name, size text, icon or picture.
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
        FileUrlRole
    };

    explicit HistoryListModel(HistoryStore& store, QObject* parent = nullptr);

    // Takes a fresh snapshot of the history and measures each file again.
    void reload();

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
        bool operator==(const Row&) const = default;
    };
    HistoryStore& m_store;
    std::vector<Row> m_rows;
};
