// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageFarm.h"

#include "common/JobControl.h"
#include "common/LocalPath.h"
#include "jobs/Cores.h"

#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {
const QString kUndrawn = QStringLiteral("could not be drawn");

// The picture of a "grey SCALE WIDTH HEIGHT ROW BYTES" answer; null when its numbers do not add up.
QImage greyPicture(const QList<QByteArray>& words, const QByteArray& bytes)
{
    if (words.size() != 6)
        return {};
    const int width = words[2].toInt();
    const int height = words[3].toInt();
    const qsizetype row = words[4].toLongLong();
    if (width <= 0 || height <= 0 || row < width || bytes.size() < row * height)
        return {};
    QImage grey(width, height, QImage::Format_Grayscale8);
    if (grey.isNull())
        return {};
    for (int y = 0; y < height; ++y)
        std::memcpy(grey.scanLine(y), bytes.constData() + row * y, size_t(width));
    return grey;
}
const QString kUnopened = QStringLiteral("could not open the document");
} // namespace

PageFarm::PageFarm(QString pdfPath, JobControl& job, QByteArray password)
    : m_path(std::move(pdfPath)), m_password(std::move(password)), m_job(job)
{
}

PageFarm::~PageFarm() = default;

PdfWorker* PageFarm::spawn(size_t slot, int page, const QString& pdfium)
{
    m_workers.push_back(std::make_unique<PdfWorker>(
        [this, slot](const QList<QByteArray>& words, const QByteArray& bytes) {
            answered(slot, words, bytes);
        },
        [this, slot](PdfWorker::Failure f) { failed(slot, f); }));
    if (slot >= m_slots.size())
        m_slots.resize(slot + 1);
    m_slots[slot] = Slot{m_workers.back().get(), page, true, pdfium};
    QByteArray open = "open " + LocalPath::encode(m_path).toPercentEncoding();
    if (!m_password.isEmpty())
        open += ' ' + m_password.toPercentEncoding();
    m_slots[slot].worker->request(open);
    return m_slots[slot].worker;
}

int PageFarm::open(QString& error)
{
    spawn(0);
    if (m_opened == -2)
        run();
    if (m_opened == -2) { // cancelled while the document was opening
        m_opened = -1;
        m_openError = PdfWorker::reason(PdfWorker::Failure::Stopped);
    }
    error = m_openError;
    return m_opened;
}

void PageFarm::draw(const std::vector<int>& pages, qreal scale,
                    const std::function<void(Page)>& done)
{
    serve("png", QByteArray::number(scale, 'g', 17), pages, done);
}

void PageFarm::drawGrey(const std::vector<int>& pages, qreal scale,
                        const std::function<void(Page)>& done)
{
    serve("grey", QByteArray::number(scale, 'g', 17), pages, done);
}

void PageFarm::readText(const std::vector<int>& pages, const std::function<void(Page)>& done)
{
    serve("text", {}, pages, done);
}

void PageFarm::serve(const QByteArray& verb, const QByteArray& scale, const std::vector<int>& pages,
                     const std::function<void(Page)>& done)
{
    m_done = done;
    m_verb = verb;
    m_scale = scale;
    m_pages = m_opened > 0 ? pages : std::vector<int>();
    m_pageCount = int(m_pages.size());
    m_next = m_settled = 0;
    const size_t count = size_t(std::clamp(Cores::count(), 1, std::max(m_pageCount, 1)));
    feed(0);
    for (size_t i = 1; i < count; ++i)
        spawn(i);
    if (!finished())
        run();
    m_done = nullptr;
}

QByteArray PageFarm::requestFor(int page) const
{
    QByteArray line = m_verb + ' ' + QByteArray::number(page);
    if (!m_scale.isEmpty())
        line += ' ' + m_scale;
    return line;
}

void PageFarm::run()
{
    QTimer watch; // a cancel from another thread stops the loop
    QObject::connect(&watch, &QTimer::timeout, &watch, [this] {
        if (m_job.isCancelled())
            m_loop.quit();
    });
    watch.start(50);
    if (!m_job.isCancelled())
        m_loop.exec();
}

void PageFarm::answered(size_t slot, const QList<QByteArray>& words, const QByteArray& bytes)
{
    Slot& s = m_slots[slot];
    if (m_opened == -2) { // the first worker's document
        s.opening = false;
        m_opened = words[0] == "opened" ? words.value(1).toInt() : -1;
        m_loop.quit();
        return;
    }
    if (std::exchange(s.opening, false)) {
        if (words[0] != "opened") {
            s.worker = nullptr; // a replacement that cannot open the document after all
            if (const int page = std::exchange(s.page, -1); page >= 0)
                settle(Page{page, 1.0, {}, PdfWorker::bothReasons(s.pdfium, kUnopened), {}});
        } else if (s.page >= 0) {
            s.worker->request(PdfWorker::forPoppler(requestFor(s.page)));
            return;
        }
        feed(slot);
        return;
    }
    const int page = std::exchange(s.page, -1);
    const QString pdfium = std::exchange(s.pdfium, {});
    // The worker draws its next page while this one is written: a file's sync to disk takes as
    // long as drawing a page.
    feed(slot);
    // A helper answers an error only when Poppler failed too: the same reason for both, said once.
    if (page >= 0 && words[0] == "grey")
        if (QImage grey = greyPicture(words, bytes); !grey.isNull()) {
            settle(Page{page, words.value(1).toDouble(), {}, {}, std::move(grey)});
            return;
        }
    if (page >= 0)
        settle(words[0] == "png"    ? Page{page, words.value(1).toDouble(), bytes, {}, {}}
               : words[0] == "text" ? Page{page, 1.0, bytes, {}, {}}
               : pdfium.isEmpty()
                   ? Page{page, 1.0, {}, kUndrawn, {}}
                   : Page{page, 1.0, {}, PdfWorker::bothReasons(pdfium, kUndrawn), {}});
}

void PageFarm::failed(size_t slot, PdfWorker::Failure failure)
{
    const int page = std::exchange(m_slots[slot].page, -1);
    const QString pdfium = std::exchange(m_slots[slot].pdfium, {});
    m_slots[slot].worker = nullptr;
    m_slots[slot].opening = false;
    if (m_opened == -2) {
        m_opened = -1;
        m_openError = failure == PdfWorker::Failure::TimedOut
                          ? QStringLiteral("took too long to open")
                          : PdfWorker::reason(failure);
        m_loop.quit();
        return;
    }
    const bool replaceable = failure != PdfWorker::Failure::Missing && !m_job.isCancelled();
    if (page >= 0) {
        // The page PDFium hung or crashed on goes to Poppler in a fresh worker.
        if (pdfium.isEmpty() && replaceable) {
            spawn(slot, page, PdfWorker::reason(failure));
            return;
        }
        settle(Page{page,
                    1.0,
                    {},
                    pdfium.isEmpty() ? PdfWorker::reason(failure)
                                     : PdfWorker::bothReasons(pdfium, PdfWorker::reason(failure)),
                    {}});
        // Killed and replaced; a replacement that cannot open the document leaves one fewer.
        if (replaceable && m_next < m_pageCount && !finished()) {
            spawn(slot);
            return;
        }
    }
    feed(slot);
}

void PageFarm::feed(size_t slot)
{
    PdfWorker* worker = m_slots[slot].worker;
    if (worker && worker->isDead() && m_next < m_pageCount && !finished()) {
        spawn(slot); // it went while idle
        return;
    }
    if (!worker || m_next >= m_pageCount || m_job.isCancelled()) {
        // With no worker left, the pages nobody will draw fail for the last reason known.
        const bool anyone =
            std::ranges::any_of(m_slots, [](const Slot& s) { return s.worker != nullptr; });
        while (!anyone && m_next < m_pageCount)
            settle(Page{
                m_pages[m_next++], 1.0, {}, PdfWorker::reason(PdfWorker::Failure::Stopped), {}});
        if (finished())
            m_loop.quit();
        return;
    }
    m_slots[slot].page = m_pages[m_next++];
    worker->request(requestFor(m_slots[slot].page));
}

void PageFarm::settle(Page page)
{
    ++m_settled;
    if (m_done)
        m_done(std::move(page));
    if (finished())
        m_loop.quit();
}

bool PageFarm::finished() const
{
    return m_settled >= m_pageCount || m_job.isCancelled();
}
