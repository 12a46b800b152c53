// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfWorkerServer.h"

#include "LoneImage.h"
#include "PageDrawing.h"
#include "PopplerPages.h"
#include "common/LocalPath.h"

#include <QPdfDocument>
#include <QPdfSelection>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>
#include <unistd.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace {
// Enough for the largest page drawn (48 megapixels at four bytes, twice over) and the library.
constexpr rlim_t kMemoryLimit = rlim_t(2) << 30;
// A page's pixels and PNG rows come from the heap and go back to it for the next page: mapped
// afresh each time, the kernel would clear every page of them, which cost more than the drawing.
constexpr int kHeapKept = 256 << 20;
constexpr int kLargestFromHeap = 32 << 20; // the most glibc allows

// AddressSanitizer reserves terabytes of address space for its shadow memory up front, so an
// address-space limit would fail its every allocation: a sanitizer build runs without one.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif
} // namespace

PdfWorkerServer::PdfWorkerServer(std::FILE* in, std::FILE* out)
    : m_in(in), m_out(out), m_faults(qgetenv("QUIRE_PDF_WORKER_FAULT").split(','))
{
}

PdfWorkerServer::~PdfWorkerServer() = default;

void PdfWorkerServer::confine()
{
    const rlimit memory{kMemoryLimit, kMemoryLimit};
    if (!kAddressSanitizer)
        setrlimit(RLIMIT_AS, &memory);
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    mallopt(M_MMAP_THRESHOLD, kLargestFromHeap);
    mallopt(M_TRIM_THRESHOLD, kHeapKept);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    std::signal(SIGINT, SIG_IGN);
}

int PdfWorkerServer::run()
{
    QByteArray line(qsizetype(64) * 1024, '\0');
    while (std::fgets(line.data(), int(line.size()), m_in)) {
        const QByteArray request(line.constData());
        handle(request.trimmed().split(' '));
    }
    return 0;
}

void PdfWorkerServer::handle(const QList<QByteArray>& words)
{
    const QByteArray& verb = words.value(0);
    const bool poppler = words.last() == "poppler";
    const qsizetype arguments = words.size() - (poppler ? 1 : 0);
    if (verb == "open" && (words.size() == 2 || words.size() == 3))
        open(words[1], words.value(2));
    else if (verb == "png" && arguments == 3)
        png(words[1].toInt(), words[2].toDouble(), poppler);
    else if (verb == "grey" && arguments == 3)
        grey(words[1].toInt(), words[2].toDouble(), poppler);
    else if (verb == "pixels" && arguments == 4)
        pixels(words[1].toInt(), QSize(words[2].toInt(), words[3].toInt()), poppler);
    else if (verb == "text" && arguments == 2)
        text(words[1].toInt(), poppler);
    else if (verb == "sizes")
        sizes();
    else
        answer("error");
}

void PdfWorkerServer::open(const QByteArray& encodedPath, const QByteArray& encodedPassword)
{
    m_document.reset();
    m_poppler.reset();
    m_lone.reset();
    if (faultAt("open")) {
        answer("error");
        return;
    }
    m_document = std::make_unique<QPdfDocument>();
    // On the request line rather than the command line, which anyone on the machine can read.
    m_password = QByteArray::fromPercentEncoding(encodedPassword);
    if (!m_password.isEmpty())
        m_document->setPassword(QString::fromUtf8(m_password));
    // The name's own bytes, UTF-8 or not: the library opens the file through a descriptor of
    // ours, which it reopens by number.
    m_name = QByteArray::fromPercentEncoding(encodedPath);
    const int fd = ::open(m_name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const QString path =
        fd < 0 ? LocalPath::decode(m_name) : QStringLiteral("/proc/self/fd/%1").arg(fd);
    const QPdfDocument::Error loaded = m_document->load(path);
    if (fd >= 0)
        ::close(fd);
    if (loaded != QPdfDocument::Error::None) {
        m_document.reset();
        answer("error");
        return;
    }
    answer("opened " + QByteArray::number(m_document->pageCount()));
}

QImage PdfWorkerServer::drawn(int index, bool popplerOnly,
                              const std::function<QImage(QPdfDocument&)>& pdfium,
                              const std::function<QImage(const PopplerPages&)>& poppler)
{
    const QByteArray page = QByteArray::number(index + 1);
    if (!m_document || index < 0 || index >= m_document->pageCount())
        return {};
    if (!popplerOnly) {
        const bool failing = faultAt(page);
        const QImage image = failing ? QImage() : pdfium(*m_document);
        if (!image.isNull())
            return image;
    }
    if (!m_poppler)
        m_poppler = std::make_unique<PopplerPages>(m_name, m_password);
    if (!m_poppler->isOpen() || faultAt("poppler-" + page))
        return {};
    return poppler(*m_poppler);
}

QImage PdfWorkerServer::drawnAt(int index, qreal scale, bool popplerOnly, qreal& used)
{
    used = scale;
    return drawn(
        index, popplerOnly,
        [&](QPdfDocument& document) { return pagedrawing::draw(document, index, scale, used); },
        [&](const PopplerPages& poppler) { return poppler.draw(index, scale, used); });
}

void PdfWorkerServer::png(int index, qreal scale, bool popplerOnly)
{
    qreal used = scale;
    const QImage page = drawnAt(index, scale, popplerOnly, used);
    const QByteArray bytes =
        page.isNull() ? QByteArray() : pagedrawing::encodePng(pagedrawing::flattenOnWhite(page));
    if (bytes.isEmpty()) {
        answer("error");
        return;
    }
    answer("png " + QByteArray::number(used, 'g', 17) + ' ' + QByteArray::number(bytes.size()),
           bytes);
}

void PdfWorkerServer::grey(int index, qreal scale, bool popplerOnly)
{
    qreal used = scale;
    // A scanned page is its picture: read rather than drawn, unless drawing already failed.
    QImage page;
    if (!popplerOnly && m_document) {
        if (!m_lone)
            m_lone = std::make_unique<LoneImage>(m_name, m_password);
        page = m_lone->at(index, scale, used);
    }
    if (page.isNull())
        page = drawnAt(index, scale, popplerOnly, used);
    if (page.isNull()) {
        answer("error");
        return;
    }
    QImage samples = pagedrawing::flattenOnWhite(page);
    if (samples.format() != QImage::Format_Grayscale8)
        samples.convertTo(QImage::Format_Grayscale8);
    // Written straight from the picture: a page at 300 dpi is megabytes not worth copying first.
    const QByteArray bytes = QByteArray::fromRawData(
        reinterpret_cast<const char*>(samples.constBits()), samples.sizeInBytes());
    answer("grey " + QByteArray::number(used, 'g', 17) + ' ' + QByteArray::number(samples.width()) +
               ' ' + QByteArray::number(samples.height()) + ' ' +
               QByteArray::number(samples.bytesPerLine()) + ' ' + QByteArray::number(bytes.size()),
           bytes);
}

void PdfWorkerServer::pixels(int index, QSize size, bool popplerOnly)
{
    QImage page = drawn(
        index, popplerOnly,
        [&](QPdfDocument& document) { return pagedrawing::drawToFit(document, index, size); },
        [&](const PopplerPages& poppler) { return poppler.drawToFit(index, size); });
    if (page.isNull()) {
        answer("error");
        return;
    }
    page = pagedrawing::flattenOnWhite(std::move(page));
    const QByteArray bytes = QByteArray::fromRawData(
        reinterpret_cast<const char*>(page.constBits()), page.sizeInBytes());
    answer("pixels " + QByteArray::number(page.width()) + ' ' + QByteArray::number(page.height()) +
               ' ' + QByteArray::number(int(page.format())) + ' ' +
               QByteArray::number(page.bytesPerLine()) + ' ' + QByteArray::number(bytes.size()),
           bytes);
}

void PdfWorkerServer::text(int index, bool popplerOnly)
{
    if (!m_document || index < 0 || index >= m_document->pageCount()) {
        answer("error");
        return;
    }
    QString text;
    if (!popplerOnly && !faultAt(QByteArray::number(index + 1))) {
        text = m_document->getAllText(index).text();
    } else {
        if (!m_poppler)
            m_poppler = std::make_unique<PopplerPages>(m_name, m_password);
        if (!m_poppler->isOpen() || faultAt("poppler-" + QByteArray::number(index + 1))) {
            answer("error");
            return;
        }
        text = m_poppler->text(index);
    }
    const QByteArray bytes = text.toUtf8();
    answer("text " + QByteArray::number(bytes.size()), bytes);
}

void PdfWorkerServer::sizes()
{
    if (!m_document) {
        answer("error");
        return;
    }
    QByteArray points;
    for (int i = 0; i < m_document->pageCount(); ++i) {
        const QSizeF s = m_document->pagePointSize(i);
        points += ' ' + QByteArray::number(s.width(), 'g', 9) + ' ' +
                  QByteArray::number(s.height(), 'g', 9);
    }
    answer("sizes " + QByteArray::number(m_document->pageCount()) + points);
}

void PdfWorkerServer::answer(const QByteArray& head, const QByteArray& payload)
{
    const QByteArray line = head + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), m_out);
    if (!payload.isEmpty())
        std::fwrite(payload.constData(), 1, size_t(payload.size()), m_out);
    std::fflush(m_out);
}

bool PdfWorkerServer::faultAt(const QByteArray& where) const
{
    if (m_faults.contains("crash:" + where))
        std::abort();
    if (m_faults.contains("hang:" + where))
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    return m_faults.contains("fail:" + where);
}
