// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PdfWorker.h"

#include <QImage>
#include <QObject>
#include <QSizeF>
#include <QThread>

#include <deque>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// The helper processes that draw PDF pages for the screen: a document or page that hangs or
// crashes the PDF library costs that page, never the window; such a page is drawn with Poppler.
// Requests from any thread are served by up to one worker per core, preferring one that has the
// document open already.
class PdfWorkerPool : public QObject
{
  public:
    PdfWorkerPool();
    ~PdfWorkerPool() override;
    static PdfWorkerPool& shared();

    // The size in points of each page of the PDF at path; nothing when it cannot be opened.
    // Blocks the calling thread, which must not be the GUI thread.
    std::optional<std::vector<QSizeF>> pageSizes(const QString& path);
    // Page index drawn on white to fit within size; null when it cannot be drawn in time.
    // Blocks the calling thread, which must not be the GUI thread.
    QImage draw(const QString& path, int index, QSize size);
    // The password that opens the protected PDF at path, until as many forget(path) calls.
    // Held in memory only, and passed to the workers on their request channel.
    void unlock(const QString& path, const QByteArray& password);
    void forget(const QString& path);

  private:
    struct Answer
    {
        QList<QByteArray> words;
        QByteArray bytes;
    };
    struct Request
    {
        QString path;
        QByteArray line; // what to ask once the document is open
        std::shared_ptr<std::promise<Answer>> promise;
    };
    struct Slot
    {
        std::unique_ptr<PdfWorker> worker;
        QString path; // the document it has open
        std::optional<Request> request;
        bool opening = false;
    };
    Answer ask(const QString& path, const QByteArray& line);
    void dispatch();
    void answered(Slot* slot, const QList<QByteArray>& words, const QByteArray& bytes);
    void failed(Slot* slot);

    QThread m_thread;
    std::deque<Request> m_queue;
    std::vector<std::unique_ptr<Slot>> m_slots;
    std::vector<std::unique_ptr<Slot>> m_gone; // dead workers, let go outside their callbacks
    // Each password with how many unlocked it; read and written on the pool's thread only.
    std::map<QString, std::pair<QByteArray, int>> m_passwords;
};
