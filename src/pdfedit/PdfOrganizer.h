// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryStore.h"
#include "image/Image.h"
#include "topdf/PdfPassword.h"
#include "topdf/PdfWriter.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QPDF;
class QTemporaryFile;

// Makes a new PDF from the pages of others and of photos: merged in order, picked by page,
// turned and taken out. The inputs are only read. The first document is the base: the result
// keeps its outline, links, forms and metadata; later ones bring their pages, links and outline.
class PdfOrganizer
{
  public:
    PdfOrganizer();
    ~PdfOrganizer();
    PdfOrganizer(const PdfOrganizer&) = delete;
    PdfOrganizer& operator=(const PdfOrganizer&) = delete;

    // Appends every page of the PDF at path, opened with password when it is protected. False,
    // with error() and lock() saying why, when it cannot be read.
    bool appendPdf(const QString& path, const QByteArray& password = {});
    // Appends photos as pages, laid out as PdfWriter lays them out for the pdf job.
    bool appendPhotos(const QList<Image>& photos, const PdfWriter::Options& options = {});
    [[nodiscard]] int pageCount() const;
    // Turns pages (from 0) clockwise by degrees, a multiple of 90, on top of their own turn.
    void rotate(const QList<int>& pages, int degrees);
    // Keeps only pages (from 0, each once), in that order.
    void keep(const QList<int>& pages);
    // Takes pages (from 0) out.
    void remove(const QList<int>& pages);
    // For each page, whether it shows text of its own (PageText).
    [[nodiscard]] QList<bool> pagesWithText() const;
    // Lays the first page of the PDF at layerPdf, invisible text, over page (from 0); false
    // with error() when it cannot be read.
    bool overlay(int page, const QString& layerPdf);
    // Writes the result; protected by password unless it is empty, else by the password that
    // opened a protected input. False with error when it cannot be made or written.
    bool write(QIODevice& out, QString& error, const QByteArray& password = {}) const;
    // write() for the history store, which writes whole files or none; this must outlive it.
    [[nodiscard]] HistoryStore::Writer writer(QByteArray password = {}) const;
    [[nodiscard]] QString error() const { return m_error; }
    [[nodiscard]] PdfPassword::Lock lock() const { return m_lock; }

  private:
    bool append(std::unique_ptr<QPDF> source);
    void appendOutline(QPDF& source);

    std::unique_ptr<QPDF> m_pdf;                  // the base, edited in memory
    std::vector<std::unique_ptr<QPDF>> m_sources; // read from until the result is written
    std::vector<std::unique_ptr<QTemporaryFile>> m_photoPdfs;
    QByteArray m_inherited; // the password of a protected input
    QString m_error;
    PdfPassword::Lock m_lock = PdfPassword::Lock::Open;
};
