// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PhotoLibrary.h"

#include <QAbstractListModel>
#include <QtQmlIntegration/qqmlintegration.h>

#include <functional>

// The picker's grid: one item per photo with its thumbnail and whether it is ticked.
class PhotoGridModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ANONYMOUS
  public:
    enum Role
    {
        ThumbnailRole = Qt::UserRole + 1,
        TickedRole,
        ShowsTickRole,
        NameRole // the file's name, what a screen reader says for the cell
    };
    explicit PhotoGridModel(std::function<bool(const PhotoAsset&)> isTicked,
                            QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    void setAssets(std::vector<PhotoAsset> assets);
    [[nodiscard]] const std::vector<PhotoAsset>& assets() const { return m_assets; }
    void setShowsTicks(bool shows);
    // Redraws one item only.
    void reloadItem(int row);

  private:
    std::function<bool(const PhotoAsset&)> m_isTicked;
    std::vector<PhotoAsset> m_assets;
    bool m_showsTicks = true;
};
