// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PopplerPages.h"

#include "PageDrawing.h"

#include <poppler/qt6/poppler-qt6.h>

#include <fcntl.h>
#include <unistd.h>

PopplerPages::PopplerPages(const QByteArray& name, const QByteArray& password)
{
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    if (!m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return;
    }
    // A password opens the file whether it is the owner's or a user's.
    m_document = Poppler::Document::load(&m_file, password, password);
    if (m_document && m_document->isLocked())
        m_document.reset();
    if (!m_document)
        return;
    m_document->setRenderHint(Poppler::Document::Antialiasing);
    m_document->setRenderHint(Poppler::Document::TextAntialiasing);
}

PopplerPages::~PopplerPages() = default;

QSizeF PopplerPages::pointSize(int index) const
{
    if (!m_document || index < 0 || index >= m_document->numPages())
        return {};
    const std::unique_ptr<Poppler::Page> page = m_document->page(index);
    return page ? page->pageSizeF() : QSizeF(); // cropped and rotated, as PDFium gives it
}

QImage PopplerPages::draw(int index, qreal wanted, qreal& scale) const
{
    const QSize pixels = pagedrawing::pixelsAt(pointSize(index), wanted, scale);
    return pixels.isEmpty() ? QImage() : drawAt(index, pixels);
}

QImage PopplerPages::drawToFit(int index, QSize size) const
{
    const QSize pixels = pagedrawing::pixelsToFit(pointSize(index), size);
    return pixels.isEmpty() ? QImage() : drawAt(index, pixels);
}

QImage PopplerPages::drawAt(int index, QSize pixels) const
{
    const std::unique_ptr<Poppler::Page> page = m_document->page(index);
    const QSizeF points = page ? page->pageSizeF() : QSizeF();
    if (points.isEmpty())
        return {};
    // The resolution per axis that makes the page exactly pixels large, as PDFium stretches it.
    const double xres = 72.0 * pixels.width() / points.width();
    const double yres = 72.0 * pixels.height() / points.height();
    QImage image = page->renderToImage(xres, yres, 0, 0, pixels.width(), pixels.height());
    if (image.isNull() || image.size() == pixels)
        return image;
    return image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString PopplerPages::text(int index) const
{
    if (!m_document || index < 0 || index >= m_document->numPages())
        return {};
    const std::unique_ptr<Poppler::Page> page = m_document->page(index);
    return page ? page->text(QRectF()) : QString();
}
