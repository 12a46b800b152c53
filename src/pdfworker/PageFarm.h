// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PdfWorker.h"

#include <QEventLoop>
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class JobControl;

// Draws the pages of one PDF to PNG on a helper process per core (Cores), side by side.
// A page whose worker hangs past the time limit or crashes costs only itself: that worker is
// killed and a fresh one draws the page with Poppler, then goes on. Runs its own event loop in the
// calling thread.
class PageFarm
{
  public:
    // One page back from a worker: its PNG and the scale it was drawn at (from readText, its
    // text as UTF-8 instead of the PNG; from drawGrey, its grey picture instead), or why not.
    struct Page
    {
        int index = 0;
        qreal scale = 1.0;
        QByteArray png;
        QString error;
        QImage grey;
    };

    // A protected PDF opens with password (passed to the workers on their request channel).
    PageFarm(QString pdfPath, JobControl& job, QByteArray password = {});
    ~PageFarm();

    // Opens the document: its page count, or -1 with error saying why (empty: not a readable PDF).
    int open(QString& error);
    // Draws the pages (indices from 0) at scale in pixels per point, handing each to done as it
    // comes back, in any order. Returns when every page is back or soon after the job is cancelled.
    void draw(const std::vector<int>& pages, qreal scale, const std::function<void(Page)>& done);
    // The same as grey pictures, for a reader in this process: nothing to encode or decode.
    void drawGrey(const std::vector<int>& pages, qreal scale,
                  const std::function<void(Page)>& done);
    // The same for the text the pages show of their own (no recognition), as UTF-8 in each Page.
    void readText(const std::vector<int>& pages, const std::function<void(Page)>& done);

  private:
    struct Slot
    {
        PdfWorker* worker = nullptr;
        int page = -1; // being drawn, or to be once open; -1 when none
        bool opening = false;
        QString pdfium; // why PDFium lost page, which this fresh worker draws with Poppler
    };
    // Starts a worker in slot; one that replaces a worker lost on page draws it with Poppler.
    PdfWorker* spawn(size_t slot, int page = -1, const QString& pdfium = {});
    // Hands the pages out as verb requests, at scale when it is given.
    void serve(const QByteArray& verb, const QByteArray& scale, const std::vector<int>& pages,
               const std::function<void(Page)>& done);
    [[nodiscard]] QByteArray requestFor(int page) const;
    // Runs the event loop until it is quit or the job is cancelled.
    void run();
    void answered(size_t slot, const QList<QByteArray>& words, const QByteArray& bytes);
    void failed(size_t slot, PdfWorker::Failure failure);
    void feed(size_t slot);
    void settle(Page page);
    [[nodiscard]] bool finished() const;

    QString m_path;
    QByteArray m_password;
    JobControl& m_job;
    QEventLoop m_loop;
    std::vector<std::unique_ptr<PdfWorker>> m_workers; // all ever started, dead ones included
    std::vector<Slot> m_slots;
    std::function<void(Page)> m_done;
    QByteArray m_verb;
    QByteArray m_scale;
    std::vector<int> m_pages;
    int m_pageCount = 0; // of m_pages
    int m_next = 0;      // in m_pages
    int m_settled = 0;
    // The first document answer, for open().
    int m_opened = -2;
    QString m_openError;
};
