// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryListModel.h"

#include "history/HistoryStore.h"
#include "history/SizeLabel.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <utility>

HistoryListModel::HistoryListModel(HistoryStore& store, QObject* parent)
    : QAbstractListModel(parent), m_store(store)
{
}

void HistoryListModel::reload()
{
    m_files.clear();
    for (const auto& [url, job] : m_store.listing()) {
        const QFileInfo info(url.toLocalFile());
        Row row;
        row.url = url;
        row.title = info.fileName();
        // A file that can no longer be read counts as empty.
        row.size =
            info.isFile() && info.isReadable() ? sizeLabel(info.size()) : QStringLiteral("0 kb");
        row.isPdf = info.suffix() == QLatin1String("pdf");
        row.job = job;
        m_files.push_back(row);
    }
    std::vector<Row> rows = shown();
    // Unchanged, the list is left alone: back from a viewer it stays scrolled where it was.
    if (rows == m_rows)
        return;
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    emit countChanged();
}

std::vector<HistoryListModel::Row> HistoryListModel::shown() const
{
    std::vector<Row> rows;
    for (size_t first = 0; first < m_files.size();) {
        size_t end = first + 1;
        while (end < m_files.size() && m_files[end].job == m_files[first].job)
            ++end;
        const auto files = int(end - first);
        if (files <= kGroupAbove) {
            rows.insert(rows.end(), m_files.begin() + qsizetype(first),
                        m_files.begin() + qsizetype(end));
            first = end;
            continue;
        }
        // Named after the job's first and last file, pictured by its first, newest first below.
        Row group = m_files[end - 1];
        group.title = QStringLiteral("%1 – %2").arg(group.title, m_files[first].title);
        qint64 bytes = 0;
        for (size_t i = first; i < end; ++i)
            bytes += QFileInfo(m_files[i].url.toLocalFile()).size();
        group.size = QCoreApplication::translate("HistoryListModel", "%1 files, %2")
                         .arg(files)
                         .arg(sizeLabel(bytes));
        group.files = files;
        group.expanded = m_expanded.contains(group.job);
        rows.push_back(group);
        for (size_t i = first; group.expanded && i < end; ++i) {
            rows.push_back(m_files[i]);
            rows.back().inGroup = true;
        }
        first = end;
    }
    return rows;
}

bool HistoryListModel::toggle(int index)
{
    if (index < 0 || std::cmp_greater_equal(index, m_rows.size()) ||
        m_rows[size_t(index)].files == 0)
        return false;
    Row& group = m_rows[size_t(index)];
    group.expanded = !group.expanded;
    if (group.expanded)
        m_expanded.insert(group.job);
    else
        m_expanded.erase(group.job);
    emit dataChanged(this->index(index), this->index(index), {ExpandedRole});
    // Rows go in or out below the job's row, so the list stays scrolled where it was.
    const int files = group.files;
    if (group.expanded) {
        std::vector<Row> rows = shown();
        beginInsertRows({}, index + 1, index + files);
        m_rows = std::move(rows);
        endInsertRows();
    } else {
        beginRemoveRows({}, index + 1, index + files);
        m_rows.erase(m_rows.begin() + index + 1, m_rows.begin() + index + 1 + files);
        endRemoveRows();
    }
    emit countChanged();
    return true;
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
    case FilesRole:
        return r.files;
    case ExpandedRole:
        return r.expanded;
    case InGroupRole:
        return r.inGroup;
    default:
        return {};
    }
}

QHash<int, QByteArray> HistoryListModel::roleNames() const
{
    return {{TitleRole, "title"},     {SizeRole, "sizeText"}, {IsPdfRole, "isPdf"},
            {FileUrlRole, "fileUrl"}, {FilesRole, "files"},   {ExpandedRole, "expanded"},
            {InGroupRole, "inGroup"}};
}

QVariantMap HistoryListModel::row(int index) const
{
    QVariantMap out;
    const QModelIndex i = this->index(index);
    for (auto [role, name] : roleNames().asKeyValueRange())
        out.insert(QString::fromLatin1(name), data(i, role));
    return out;
}
