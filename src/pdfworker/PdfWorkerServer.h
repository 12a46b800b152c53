// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>

#include <cstdio>
#include <functional>
#include <memory>

class LoneImage;
class PopplerPages;
class QImage;
class QPdfDocument;

// The helper process's side of a PDF worker: opens one document and draws the pages it is asked
// for (or reads their text), so that a page which hangs or crashes the PDF library takes only this
// process with it. Requests come one per line on in; each answer is one line on out, then the bytes
// it announces. A page PDFium fails on is drawn with Poppler; a page request ending in "poppler"
// goes to Poppler alone, for a fresh helper after the page hung or crashed PDFium in another.
class PdfWorkerServer
{
  public:
    PdfWorkerServer(std::FILE* in, std::FILE* out);
    ~PdfWorkerServer();

    // Serves requests until in closes; returns the process's exit status.
    int run();
    // Caps this process's memory, so that a page needing more fails alone; no core files; dies
    // with the process that started it; ignores the terminal's Ctrl-C, which is its parent's;
    // keeps freed page buffers for the next page.
    static void confine();

  private:
    void handle(const QList<QByteArray>& words);
    void open(const QByteArray& encodedPath, const QByteArray& encodedPassword);
    // Page index drawn at scale (the scale used, which a page too large lowers, in used).
    QImage drawnAt(int index, qreal scale, bool popplerOnly, qreal& used);
    // The page drawn at scale as a PNG, or as its grey samples alone for a reader in this
    // machine's memory (nothing to encode or decode).
    void png(int index, qreal scale, bool popplerOnly);
    void grey(int index, qreal scale, bool popplerOnly);
    void pixels(int index, QSize size, bool popplerOnly);
    // Page index from PDFium unless popplerOnly, else (or failing that) from Poppler.
    QImage drawn(int index, bool popplerOnly, const std::function<QImage(QPdfDocument&)>& pdfium,
                 const std::function<QImage(const PopplerPages&)>& poppler);
    // The text a page shows of its own, as UTF-8.
    void text(int index, bool popplerOnly);
    void sizes();
    void answer(const QByteArray& head, const QByteArray& payload = {});
    // The test-only switch: hangs or crashes where QUIRE_PDF_WORKER_FAULT says ("hang:N" at page
    // N in PDFium, "crash:poppler-N" in Poppler), or says whether to fail there ("fail:open").
    [[nodiscard]] bool faultAt(const QByteArray& where) const;

    std::FILE* m_in = nullptr;
    std::FILE* m_out = nullptr;
    std::unique_ptr<QPdfDocument> m_document;
    std::unique_ptr<PopplerPages> m_poppler; // opened on the first page PDFium cannot draw
    std::unique_ptr<LoneImage> m_lone;       // opened on the first grey page asked for
    QByteArray m_name;                       // of the open document, for Poppler
    QByteArray m_password;
    QList<QByteArray> m_faults;
};
