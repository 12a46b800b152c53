// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeifImageHandler.h"

#include "HeifLibrary.h"

#include <QLoggingCategory>
#include <QVariant>

#include <cstring>
#include <memory>

namespace {
Q_LOGGING_CATEGORY(lcHeif, "quire.formats.heif", QtInfoMsg)
} // namespace

namespace {
// Only called once canRead() has found the library.
const HeifLibrary& heif()
{
    return *HeifLibrary::get();
}

// libheif's objects, released however a read ends.
struct HeifFree
{
    void operator()(heif_context* c) const { heif().contextFree(c); }
    void operator()(heif_image_handle* h) const { heif().handleRelease(h); }
    void operator()(heif_image* i) const { heif().imageRelease(i); }
};
template <typename T> using HeifPtr = std::unique_ptr<T, HeifFree>;

bool failed(const heif_error& e)
{
    if (e.code == heif_error_Ok)
        return false;
    qCDebug(lcHeif) << "libheif:" << e.message;
    return true;
}
} // namespace

bool HeifImageHandler::canRead(QIODevice* device)
{
    if (!device)
        return false;
    // A HEIF file starts with its ftyp box: anything else is turned away without loading libheif.
    const QByteArray head = device->peek(32);
    if (head.size() < 12 || head.mid(4, 4) != "ftyp")
        return false;
    const HeifLibrary* library = HeifLibrary::get();
    return library && library->checkFiletype(reinterpret_cast<const uint8_t*>(head.constData()),
                                             int(head.size())) == heif_filetype_yes_supported;
}

bool HeifImageHandler::canRead() const
{
    if (m_loaded && !m_failed)
        return true;
    if (m_failed || !canRead(device()))
        return false;
    setFormat("heic");
    return true;
}

bool HeifImageHandler::load(QImage* image)
{
    if (m_failed)
        return false;
    if (!m_loaded) {
        m_loaded = true;
        m_failed = true; // until the header reads
        if (!canRead(device()))
            return false;
        // HEIF keeps its index anywhere in the file: the whole file is needed even for the size.
        m_bytes = device()->readAll();
    }
    HeifPtr<heif_context> context(heif().contextAlloc());
    if (failed(heif().readFromMemory(context.get(), m_bytes.constData(), size_t(m_bytes.size()),
                                     nullptr)))
        return m_failed = true, false;
    heif_image_handle* rawHandle = nullptr;
    if (failed(heif().primaryImageHandle(context.get(), &rawHandle)))
        return m_failed = true, false;
    HeifPtr<heif_image_handle> handle(rawHandle);
    // The size as shown, after the file's own rotation.
    m_size = QSize(heif().handleWidth(handle.get()), heif().handleHeight(handle.get()));
    m_failed = m_size.isEmpty();
    if (m_failed || !image)
        return !m_failed;

    const bool alpha = heif().handleHasAlpha(handle.get());
    heif_image* rawImage = nullptr;
    if (failed(heif().decodeImage(
            handle.get(), &rawImage, heif_colorspace_RGB,
            alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr)))
        return m_failed = true, false;
    HeifPtr<heif_image> decoded(rawImage);
    const QSize size(heif().imageWidth(decoded.get(), heif_channel_interleaved),
                     heif().imageHeight(decoded.get(), heif_channel_interleaved));
    int stride = 0;
    const uint8_t* plane = heif().planeReadonly(decoded.get(), heif_channel_interleaved, &stride);
    if (!plane ||
        !allocateImage(size, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888, image))
        return m_failed = true, false;
    const size_t rowBytes = size_t(size.width()) * (alpha ? 4 : 3);
    for (int y = 0; y < size.height(); ++y)
        std::memcpy(image->scanLine(y), plane + size_t(y) * size_t(stride), rowBytes);
    return true;
}

bool HeifImageHandler::read(QImage* image)
{
    QImage full;
    if (!load(&full))
        return false;
    *image = m_scaledSize.isValid() && m_scaledSize != full.size()
                 ? full.scaled(m_scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 : full;
    return true;
}

QVariant HeifImageHandler::option(ImageOption option) const
{
    if (option == Size)
        return const_cast<HeifImageHandler*>(this)->load(nullptr) ? QVariant(m_size) : QVariant();
    if (option == ScaledSize)
        return m_scaledSize;
    return {};
}

void HeifImageHandler::setOption(ImageOption option, const QVariant& value)
{
    if (option == ScaledSize)
        m_scaledSize = value.toSize();
}

bool HeifImageHandler::supportsOption(ImageOption option) const
{
    return option == Size || option == ScaledSize;
}
