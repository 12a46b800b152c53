// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompressResults.h"

void CompressResults::setRows(QList<Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CompressResults::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant CompressResults::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& row = m_rows.at(index.row());
    switch (role) {
    case ImageUrlRole:
        return row.imageUrl;
    case CaptionRole:
        return row.caption;
    default:
        return {};
    }
}

QHash<int, QByteArray> CompressResults::roleNames() const
{
    return {{ImageUrlRole, "imageUrl"}, {CaptionRole, "caption"}};
}
