// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfWorkerPool.h"

#include "jobs/Cores.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>

PdfWorkerPool::PdfWorkerPool()
{
    m_thread.setObjectName(QStringLiteral("PDF workers"));
    moveToThread(&m_thread);
    m_thread.start();
}

PdfWorkerPool::~PdfWorkerPool()
{
    // The workers belong to the pool's thread: let them go there.
    QMetaObject::invokeMethod(
        this,
        [this] {
            // Whoever still waits gets an empty answer rather than a broken promise.
            for (const auto& slot : m_slots)
                if (slot->request)
                    slot->request->promise->set_value(Answer{});
            for (Request& r : m_queue)
                r.promise->set_value(Answer{});
            m_queue.clear();
            m_slots.clear();
            m_gone.clear();
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

PdfWorkerPool& PdfWorkerPool::shared()
{
    // Made on first use and gone with the application, while its event loops can still run.
    static PdfWorkerPool* pool = [] {
        qAddPostRoutine([] { delete pool; });
        return new PdfWorkerPool;
    }();
    return *pool;
}

std::optional<std::vector<QSizeF>> PdfWorkerPool::pageSizes(const QString& path)
{
    const Answer a = ask(path, "sizes");
    if (a.words.value(0) != "sizes")
        return std::nullopt;
    std::vector<QSizeF> sizes;
    for (qsizetype i = 2; i + 1 < a.words.size(); i += 2)
        sizes.emplace_back(a.words[i].toDouble(), a.words[i + 1].toDouble());
    return sizes;
}

QImage PdfWorkerPool::draw(const QString& path, int index, QSize size)
{
    const Answer a =
        ask(path, "pixels " + QByteArray::number(index) + ' ' + QByteArray::number(size.width()) +
                      ' ' + QByteArray::number(size.height()));
    if (a.words.size() < 6 || a.words[0] != "pixels")
        return {};
    const int width = a.words[1].toInt();
    const int height = a.words[2].toInt();
    const auto format = QImage::Format(a.words[3].toInt());
    const qsizetype stride = a.words[4].toLongLong();
    if (format != QImage::Format_RGB32 && format != QImage::Format_Grayscale8)
        return {};
    QImage image(width, height, format);
    if (image.isNull() || stride * height != a.bytes.size() || stride < image.bytesPerLine())
        return {};
    for (int y = 0; y < height; ++y)
        std::copy_n(a.bytes.constData() + y * stride, image.bytesPerLine(), image.scanLine(y));
    return image;
}

void PdfWorkerPool::unlock(const QString& path, const QByteArray& password)
{
    QMetaObject::invokeMethod(this, [this, path, password] {
        auto& [known, holders] = m_passwords[path];
        known = password;
        ++holders;
        // A worker that tried the file without it opens it again.
        for (const auto& slot : m_slots)
            if (slot->path == path)
                slot->path.clear();
    });
}

void PdfWorkerPool::forget(const QString& path)
{
    QMetaObject::invokeMethod(this, [this, path] {
        const auto known = m_passwords.find(path);
        if (known == m_passwords.end() || --known->second.second > 0)
            return;
        m_passwords.erase(known);
        for (const auto& slot : m_slots)
            if (slot->path == path)
                slot->path.clear();
    });
}

PdfWorkerPool::Answer PdfWorkerPool::ask(const QString& path, const QByteArray& line)
{
    Q_ASSERT(QThread::currentThread() != &m_thread);
    auto promise = std::make_shared<std::promise<Answer>>();
    std::future<Answer> answer = promise->get_future();
    QMetaObject::invokeMethod(this, [this, request = Request{path, line, promise}]() mutable {
        m_queue.push_back(std::move(request));
        dispatch();
    });
    return answer.get(); // each step is bounded by the workers' time limit
}

void PdfWorkerPool::dispatch()
{
    m_gone.clear();
    // A worker that went while idle cannot take requests: let it go.
    for (auto it = m_slots.begin(); it != m_slots.end();) {
        if ((*it)->worker->isDead() && !(*it)->request) {
            m_gone.push_back(std::move(*it));
            it = m_slots.erase(it);
        } else {
            ++it;
        }
    }
    const auto most = size_t(Cores::count());
    while (!m_queue.empty()) {
        const QString& path = m_queue.front().path;
        auto idle = [](const std::unique_ptr<Slot>& s) { return !s->request; };
        auto it = std::ranges::find_if(m_slots,
                                       [&](const auto& s) { return idle(s) && s->path == path; });
        if (it == m_slots.end())
            it = std::ranges::find_if(m_slots, idle);
        if (it == m_slots.end() && m_slots.size() < most) {
            auto slot = std::make_unique<Slot>();
            Slot* s = slot.get();
            slot->worker = std::make_unique<PdfWorker>(
                [this, s](const QList<QByteArray>& w, const QByteArray& b) { answered(s, w, b); },
                [this, s](PdfWorker::Failure) { failed(s); });
            m_slots.push_back(std::move(slot));
            it = m_slots.end() - 1;
        }
        if (it == m_slots.end())
            return; // all busy; the next answer dispatches again
        Slot* slot = it->get();
        slot->request = std::move(m_queue.front());
        m_queue.pop_front();
        slot->opening = slot->path != slot->request->path;
        if (slot->opening) {
            slot->path.clear();
            QByteArray open = "open " + slot->request->path.toUtf8().toPercentEncoding();
            if (const auto known = m_passwords.find(slot->request->path);
                known != m_passwords.end())
                open += ' ' + known->second.first.toPercentEncoding();
            slot->worker->request(open);
        } else {
            slot->worker->request(slot->request->line);
        }
    }
}

void PdfWorkerPool::answered(Slot* slot, const QList<QByteArray>& words, const QByteArray& bytes)
{
    if (!slot->request) // nothing was asked: a stray line is no answer
        return;
    if (slot->opening) {
        slot->opening = false;
        if (words.value(0) == "opened") {
            slot->path = slot->request->path;
            slot->worker->request(slot->request->line);
            return;
        }
    }
    slot->request->promise->set_value(Answer{words, bytes});
    slot->request.reset();
    dispatch();
}

void PdfWorkerPool::failed(Slot* slot)
{
    // A page that hung or crashed PDFium goes to Poppler, in a worker that is still alive.
    const bool toPoppler = slot->request && !slot->opening &&
                           slot->request->line.startsWith("pixels ") &&
                           !slot->request->line.endsWith(" poppler");
    if (toPoppler) {
        slot->request->line = PdfWorker::forPoppler(slot->request->line);
        m_queue.push_front(std::move(*slot->request));
        slot->request.reset();
    } else if (slot->request) {
        slot->request->promise->set_value(Answer{});
    }
    const auto it =
        std::ranges::find_if(m_slots, [slot](const auto& s) { return s.get() == slot; });
    if (it != m_slots.end()) {
        m_gone.push_back(std::move(*it));
        m_slots.erase(it);
    }
    QMetaObject::invokeMethod(
        this, [this] { dispatch(); }, Qt::QueuedConnection);
}
