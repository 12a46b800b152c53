// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QSizeF>
#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

#include <optional>
#include <vector>

// A PDF as the viewers lay it out: its page count and sizes, read by a helper process, and an
// image:// address for each page, drawn by the helpers too, so no document can freeze the window.
class PdfPages : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(Status status READ status NOTIFY statusChanged)
    Q_PROPERTY(int pageCount READ pageCount NOTIFY statusChanged)
    Q_PROPERTY(qreal maxPageWidth READ maxPageWidth NOTIFY statusChanged)
  public:
    enum Status
    {
        Null,
        Loading,
        Ready,
        Error
    };
    Q_ENUM(Status)

    explicit PdfPages(QObject* parent = nullptr);
    ~PdfPages() override;

    [[nodiscard]] QUrl source() const { return m_source; }
    void setSource(const QUrl& source);
    [[nodiscard]] Status status() const { return m_status; }
    [[nodiscard]] int pageCount() const { return int(m_sizes.size()); }
    [[nodiscard]] qreal maxPageWidth() const;
    Q_INVOKABLE [[nodiscard]] QSizeF pagePointSize(int page) const;
    // image://pdfpage/... for page; give the Image a sourceSize to draw it at.
    Q_INVOKABLE [[nodiscard]] QUrl pageUrl(int page) const
    {
        return urlOf(m_source.toLocalFile(), page);
    }
    [[nodiscard]] static QUrl urlOf(const QString& path, int page);

  signals:
    void sourceChanged();
    void statusChanged();

  private:
    QUrl m_source;
    Status m_status = Null;
    std::vector<QSizeF> m_sizes;
    QFutureWatcher<std::optional<std::vector<QSizeF>>> m_loading;
};
