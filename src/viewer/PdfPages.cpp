// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPages.h"

#include "pdfworker/PdfWorkerPool.h"

#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

PdfPages::PdfPages(QObject* parent) : QObject(parent)
{
    connect(&m_loading, &QFutureWatcherBase::finished, this, [this] {
        const auto sizes = m_loading.result();
        m_sizes = sizes.value_or(std::vector<QSizeF>());
        m_status = sizes ? Ready : Error;
        emit statusChanged();
    });
}

PdfPages::~PdfPages()
{
    m_loading.disconnect();
}

void PdfPages::setSource(const QUrl& source)
{
    if (source == m_source)
        return;
    m_source = source;
    emit sourceChanged();
    m_sizes.clear();
    m_status = source.isEmpty() ? Null : Loading;
    emit statusChanged();
    if (source.isEmpty())
        return;
    const QString path = source.toLocalFile();
    m_loading.setFuture(
        QtConcurrent::run([path] { return PdfWorkerPool::shared().pageSizes(path); }));
}

qreal PdfPages::maxPageWidth() const
{
    qreal widest = 0;
    for (const QSizeF& s : m_sizes)
        widest = std::max(widest, s.width());
    return widest;
}

QSizeF PdfPages::pagePointSize(int page) const
{
    return page >= 0 && page < pageCount() ? m_sizes[size_t(page)] : QSizeF();
}

QUrl PdfPages::urlOf(const QString& path, int page)
{
    // The path as hex: no character of it can be taken for part of the address.
    return {QStringLiteral("image://pdfpage/%1/%2")
                .arg(page)
                .arg(QString::fromLatin1(path.toUtf8().toHex()))};
}
