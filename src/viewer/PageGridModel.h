// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractListModel>
#include <QSizeF>
#include <QtQmlIntegration/qqmlintegration.h>

#include <vector>

// The pages of the PDF being organised, in their new order: which document and page each one
// is, the turn it gets on top of its own, and whether it is selected.
class PageGridModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ANONYMOUS
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
  public:
    struct Page
    {
        int document = 0; // index into the documents the grid was given
        int page = 0;     // in that document, from 0
        QSizeF size;      // in points, as the document draws it
        int turn = 0;     // clockwise, 0, 90, 180 or 270
        bool selected = false;
    };
    enum Role
    {
        ImageRole = Qt::UserRole + 1,
        LabelRole,
        AspectRole, // width / height of the page as drawn, before the turn
        TurnRole,
        SelectedRole
    };

    explicit PageGridModel(QObject* parent = nullptr);

    // image:// addresses are made from the path of each document.
    void setDocuments(const QStringList& paths) { m_documents = paths; }
    [[nodiscard]] const std::vector<Page>& pages() const { return m_pages; }
    void setPages(std::vector<Page> pages);
    void append(const std::vector<Page>& pages);
    void move(int from, int to);
    // The same rows with new selection or turns: the cells stay, only what they show changes.
    void change(const std::vector<Page>& pages);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

  signals:
    void countChanged();

  private:
    QStringList m_documents;
    std::vector<Page> m_pages;
};
