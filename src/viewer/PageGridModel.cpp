// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageGridModel.h"

#include "PdfPages.h"

PageGridModel::PageGridModel(QObject* parent) : QAbstractListModel(parent)
{
}

void PageGridModel::setPages(std::vector<Page> pages)
{
    beginResetModel();
    m_pages = std::move(pages);
    endResetModel();
    emit countChanged();
}

void PageGridModel::append(const std::vector<Page>& pages)
{
    if (pages.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + int(pages.size()) - 1);
    m_pages.insert(m_pages.end(), pages.begin(), pages.end());
    endInsertRows();
    emit countChanged();
}

void PageGridModel::move(int from, int to)
{
    // Qt counts the destination before the row leaves: one further when moving down.
    if (!beginMoveRows({}, from, from, {}, to > from ? to + 1 : to))
        return;
    const Page page = m_pages[size_t(from)];
    m_pages.erase(m_pages.begin() + from);
    m_pages.insert(m_pages.begin() + to, page);
    endMoveRows();
}

void PageGridModel::change(const std::vector<Page>& pages)
{
    if (pages.size() != m_pages.size()) {
        setPages(pages);
        return;
    }
    m_pages = pages;
    if (!m_pages.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {TurnRole, SelectedRole});
}

int PageGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_pages.size());
}

QVariant PageGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Page& page = m_pages[size_t(index.row())];
    switch (role) {
    case ImageRole:
        return PdfPages::urlOf(m_documents.value(page.document), page.page);
    case LabelRole:
        // Pages of an added document say which document they came from.
        return page.document == 0
                   ? QString::number(page.page + 1)
                   : QStringLiteral("%1.%2").arg(page.document + 1).arg(page.page + 1);
    case AspectRole:
        return page.size.height() > 0 ? page.size.width() / page.size.height() : 1.0;
    case TurnRole:
        return page.turn;
    case SelectedRole:
        return page.selected;
    default:
        return {};
    }
}

QHash<int, QByteArray> PageGridModel::roleNames() const
{
    return {{ImageRole, "image"},
            {LabelRole, "label"},
            {AspectRole, "aspect"},
            {TurnRole, "turn"},
            {SelectedRole, "selected"}};
}
