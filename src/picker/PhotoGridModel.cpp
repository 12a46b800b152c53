// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoGridModel.h"

#include "image/Thumbnails.h"

#include <QFileInfo>
#include <utility>

PhotoGridModel::PhotoGridModel(std::function<bool(const PhotoAsset&)> isTicked, QObject* parent)
    : QAbstractListModel(parent), m_isTicked(std::move(isTicked))
{
}

int PhotoGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_assets.size());
}

QVariant PhotoGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_assets.size()))
        return {};
    const PhotoAsset& asset = m_assets[size_t(index.row())];
    switch (role) {
    case ThumbnailRole:
        return Thumbnails::url(asset.path);
    case TickedRole:
        return m_showsTicks && m_isTicked(asset);
    case ShowsTickRole:
        return m_showsTicks;
    case NameRole:
        return QFileInfo(asset.path).fileName();
    default:
        return {};
    }
}

QHash<int, QByteArray> PhotoGridModel::roleNames() const
{
    return {{ThumbnailRole, "thumbnail"},
            {TickedRole, "ticked"},
            {ShowsTickRole, "showsTick"},
            {NameRole, "name"}};
}

void PhotoGridModel::setAssets(std::vector<PhotoAsset> assets)
{
    beginResetModel();
    m_assets = std::move(assets);
    endResetModel();
}

void PhotoGridModel::setShowsTicks(bool shows)
{
    if (shows == m_showsTicks)
        return;
    m_showsTicks = shows;
    if (!m_assets.empty())
        emit dataChanged(index(0), index(int(m_assets.size()) - 1), {TickedRole, ShowsTickRole});
}

void PhotoGridModel::reloadItem(int row)
{
    if (row >= 0 && std::cmp_less(row, m_assets.size()))
        emit dataChanged(index(row), index(row), {TickedRole});
}
