// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryListModel.h"

#include "history/HistoryStore.h"
#include "history/SizeLabel.h"

#include <QFileInfo>

HistoryListModel::HistoryListModel(HistoryStore& store, QObject* parent)
    : QAbstractListModel(parent), m_store(store)
{
}

void HistoryListModel::reload()
{
    std::vector<Row> rows;
    for (const QUrl& url : m_store.entries()) {
        const QFileInfo info(url.toLocalFile());
        Row row;
        row.url = url;
        row.title = info.fileName();
        // A file that can no longer be read counts as empty.
        row.size =
            info.isFile() && info.isReadable() ? sizeLabel(info.size()) : QStringLiteral("0 kb");
        row.isPdf = info.suffix() == QLatin1String("pdf");
        rows.push_back(row);
    }
    // Unchanged, the list is left alone: back from a viewer it stays scrolled where it was.
    if (rows == m_rows)
        return;
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    emit countChanged();
}

int HistoryListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant HistoryListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const Row& r = m_rows[size_t(index.row())];
    switch (role) {
    case TitleRole:
        return r.title;
    case SizeRole:
        return r.size;
    case IsPdfRole:
        return r.isPdf;
    case FileUrlRole:
        return r.url;
    default:
        return {};
    }
}

QHash<int, QByteArray> HistoryListModel::roleNames() const
{
    return {{TitleRole, "title"},
            {SizeRole, "sizeText"},
            {IsPdfRole, "isPdf"},
            {FileUrlRole, "fileUrl"}};
}

QVariantMap HistoryListModel::row(int index) const
{
    QVariantMap out;
    const QModelIndex i = this->index(index);
    for (auto [role, name] : roleNames().asKeyValueRange())
        out.insert(QString::fromLatin1(name), data(i, role));
    return out;
}
