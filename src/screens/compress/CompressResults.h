// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// The compressed photos as the result grid shows them: each one's picture and its caption (the
// new size, and the quality it was made at).
class CompressResults : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the compression results screen")
  public:
    enum Role
    {
        ImageUrlRole = Qt::UserRole + 1,
        CaptionRole
    };
    struct Row
    {
        QUrl imageUrl;
        QString caption;
    };

    using QAbstractListModel::QAbstractListModel;

    void setRows(QList<Row> rows);
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

  private:
    QList<Row> m_rows;
};
