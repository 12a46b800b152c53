// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>

#include <memory>

namespace Poppler {
class Document;
}

// A PDF opened with Poppler, the second library a helper draws with: some damaged files that
// hang or fail PDFium on a page draw fully in Poppler. Pages come out at the sizes PDFium's would.
class PopplerPages
{
  public:
    // Opens the file called name (its own bytes, UTF-8 or not), protected by password or not.
    PopplerPages(const QByteArray& name, const QByteArray& password);
    ~PopplerPages();
    PopplerPages(const PopplerPages&) = delete;
    PopplerPages& operator=(const PopplerPages&) = delete;

    [[nodiscard]] bool isOpen() const { return m_document != nullptr; }
    // As pagedrawing::draw and pagedrawing::drawToFit: null when the page cannot be drawn.
    [[nodiscard]] QImage draw(int index, qreal wanted, qreal& scale) const;
    [[nodiscard]] QImage drawToFit(int index, QSize size) const;
    // The text the page shows; empty when it shows none or cannot be read.
    [[nodiscard]] QString text(int index) const;

  private:
    [[nodiscard]] QSizeF pointSize(int index) const;
    [[nodiscard]] QImage drawAt(int index, QSize pixels) const;

    QFile m_file; // Poppler reads the document from it as it goes
    std::unique_ptr<Poppler::Document> m_document;
};
