// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoCompressor.h"

#include "DctRecompressor.h"
#include "PhotoMetadata.h"
#include "SizeTarget.h"
#include "StreamedJpeg.h"
#include "common/JpegCheck.h"
#include "image/RowScaler.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace {
// Encodes one photo at any quality, the fastest way its source allows.
class Encoder
{
  public:
    Encoder(const Image& photo, bool keepLocation, int finestQuality)
        : m_photo(photo), m_keepLocation(keepLocation)
    {
        if (photo.sourceFormat() == "jpeg") {
            const QByteArray source = photo.sourceBytes();
            m_exif = PhotoMetadata::exifOf(source);
            m_dct.emplace(source, finestQuality, DctRecompressor::Reading::ParallelEntropy);
            if (m_dct->isUsable()) {
                m_size = m_dct->uprightSize();
                m_block = PhotoMetadata::forCopy(m_dct->exif(), m_size, keepLocation);
                return;
            }
            m_dct.reset();
        }
        decodePixels();
        m_block = PhotoMetadata::forCopy(m_exif, m_size, keepLocation);
    }

    [[nodiscard]] bool readable() const { return m_dct || m_streamed || !m_pixels.isNull(); }
    // libjpeg's warnings while reading the source's coefficients: each is damaged data.
    [[nodiscard]] int warnings() const { return m_warnings + (m_dct ? m_dct->warnings() : 0); }
    [[nodiscard]] QSize size() const { return m_size; }
    [[nodiscard]] QByteArray block() const { return m_block; }
    [[nodiscard]] bool upright() const { return PhotoMetadata::orientation(m_exif) == 1; }
    // The copy's metadata for the stored pixels as they are, still saying how to turn them.
    [[nodiscard]] QByteArray storedBlock() const
    {
        return PhotoMetadata::forCopy(m_exif, {}, m_keepLocation);
    }

    // The source's own coefficients turned upright; empty when that is not possible.
    [[nodiscard]] QByteArray lossless() const
    {
        return m_dct ? m_dct->encodeLossless(m_block) : QByteArray();
    }

    [[nodiscard]] QByteArray at(int quality) { return encoded(quality, false); }

    // The same for the last encoding asked of this photo, which may reuse its memory.
    [[nodiscard]] QByteArray lastAt(int quality) { return encoded(quality, true); }

    // The photo decoded to fit within bound, at quality: the way down when no quality fits.
    [[nodiscard]] QByteArray scaledAt(const QSize& bound, int quality, QSize& size) const
    {
        const QImage pixels = m_photo.toQImage(bound);
        size = pixels.size();
        return pixelsAt(pixels, quality);
    }

  private:
    [[nodiscard]] QByteArray encoded(int quality, bool last)
    {
        if (m_dct) {
            QByteArray bytes =
                last ? m_dct->encodeOnce(quality, m_block) : m_dct->encode(quality, m_block);
            if (!bytes.isEmpty() || m_dct->isUsable())
                return bytes;
            // Its coefficients turned out damaged: the pixel decoder may still make sense of it.
            m_warnings += m_dct->warnings();
            const QSize size = m_size;
            m_dct.reset();
            decodePixels();
            if (m_size != size)
                return {};
        }
        if (m_streamed) {
            const QByteArray data = StreamedJpeg::encode(m_photo, quality);
            return StreamedJpeg::decodes(data) ? PhotoMetadata::withExif(data, m_block)
                                               : QByteArray();
        }
        return pixelsAt(m_pixels, quality);
    }

    // A large stored-upright picture is streamed from its file at each encoding instead of
    // being held whole; anything else is decoded once.
    void decodePixels()
    {
        m_streamed = RowScaler::suits(m_photo) &&
                     m_photo.transformation() == QImageIOHandler::TransformationNone;
        if (!m_streamed)
            m_pixels = m_photo.toQImage();
        m_size = m_streamed ? m_photo.pixelSize() : m_pixels.size();
    }

    [[nodiscard]] QByteArray pixelsAt(const QImage& pixels, int quality) const
    {
        const QByteArray data = JpegCompressor::encode(pixels, quality);
        if (!JpegCompressor::decodes(data))
            return {};
        const QByteArray block =
            pixels.size() == m_size ? m_block
                                    : PhotoMetadata::forCopy(m_exif, pixels.size(), m_keepLocation);
        return PhotoMetadata::withExif(data, block);
    }

    Image m_photo;
    bool m_keepLocation = false;
    std::optional<DctRecompressor> m_dct;
    int m_warnings = 0;
    bool m_streamed = false;
    QImage m_pixels;
    QByteArray m_exif;  // the source's, as found
    QByteArray m_block; // the copy's, at full size
    QSize m_size;
};

// A photo that already fits as it is: a JPEG's own picture with the copy's metadata, turned
// upright without loss where needed (or, when the turned one would come out larger, as stored
// with its turn still in its metadata), or a PNG's own bytes. No bytes when it cannot be kept so.
PhotoCompressor::Result keptSource(const Image& photo, const Encoder& encoder, qint64 own,
                                   qint64 maxBytes)
{
    PhotoCompressor::Result kept;
    if (own <= 0 || own > maxBytes)
        return kept;
    kept.kept = true;
    kept.quality = 100;
    kept.size = encoder.size();
    const QByteArray format = photo.sourceFormat();
    if (format == "jpeg") {
        const QByteArray source = photo.sourceBytes();
        if (!encoder.upright())
            kept.bytes = encoder.lossless();
        const QByteArray block = encoder.upright() ? encoder.block() : encoder.storedBlock();
        // Without a block that still says how to turn it, the stored picture would stand wrong.
        if ((kept.bytes.isEmpty() || kept.bytes.size() > own) &&
            (encoder.upright() || !block.isEmpty()))
            kept.bytes = PhotoMetadata::replacingExif(source, block);
    } else if (format == "png" && photo.transformation() == QImageIOHandler::TransformationNone) {
        kept.bytes = photo.sourceBytes();
        kept.suffix = QStringLiteral("png");
    }
    if (kept.bytes.size() > own)
        kept.bytes.clear();
    return kept;
}

// The highest quality from kLowestQuality up whose encoding fits (sizes grow with quality), or
// nothing when even the lowest does not.
PhotoCompressor::Result fitQuality(Encoder& encoder, qint64 maxBytes, QByteArray lowest)
{
    PhotoCompressor::Result best;
    best.bytes = std::move(lowest);
    best.quality = PhotoCompressor::kLowestQuality;
    best.size = encoder.size();
    int fits = PhotoCompressor::kLowestQuality, tooLarge = 101;
    while (tooLarge - fits > 1) {
        const int mid = (fits + tooLarge) / 2;
        QByteArray bytes = encoder.at(mid);
        if (!bytes.isEmpty() && bytes.size() <= maxBytes) {
            fits = mid;
            best.bytes = std::move(bytes);
            best.quality = mid;
        } else {
            tooLarge = mid;
        }
    }
    return best;
}

// The photo shrunk, at the lowest quality, until it fits.
PhotoCompressor::Result fitScale(const Encoder& encoder, qint64 maxBytes, qint64 lowestBytes)
{
    PhotoCompressor::Result result;
    result.quality = PhotoCompressor::kLowestQuality;
    result.scaled = true;
    const QSize full = encoder.size();
    double factor = 1.0;
    qint64 bytes = lowestBytes;
    for (int step = 0; step < 16; ++step) {
        // Bytes go roughly with the pixel count; aim a little under.
        factor *= std::min(0.9, std::sqrt(double(maxBytes) / double(bytes)) * 0.95);
        const QSize bound = (QSizeF(full) * factor).toSize().expandedTo({1, 1});
        if (std::max(bound.width(), bound.height()) < PhotoCompressor::kSmallestSide)
            break;
        QSize size;
        QByteArray out = encoder.scaledAt(bound, PhotoCompressor::kLowestQuality, size);
        if (out.isEmpty())
            break;
        bytes = out.size();
        if (bytes <= maxBytes) {
            result.bytes = std::move(out);
            result.size = size;
            return result;
        }
    }
    result.error = QStringLiteral("cannot be made to fit under %1").arg(SizeTarget::text(maxBytes));
    return result;
}
} // namespace

PhotoCompressor::Result PhotoCompressor::compress(const Image& photo, const Settings& settings)
{
    const bool fixed = settings.maxBytes <= 0;
    Encoder encoder(photo, settings.keepLocation, fixed ? settings.quality : 100);
    Result result;
    if (!encoder.readable()) {
        result.error = QStringLiteral("could not be read");
        return result;
    }
    // The photo's own file size, when a size target asks for no more than it.
    const qint64 own = !fixed && photo.hasSource() ? sourceSize(photo) : -1;
    if (fixed) {
        result.quality = std::clamp(settings.quality, 1, 100);
        result.bytes = encoder.lastAt(result.quality);
        result.size = encoder.size();
    } else if (Result kept = keptSource(photo, encoder, own, settings.maxBytes); kept.ok()) {
        result = std::move(kept);
    } else if (QByteArray lowest = encoder.at(kLowestQuality); lowest.isEmpty()) {
        result.error = QStringLiteral("could not be encoded as JPEG");
    } else {
        // Whatever is made must not be larger than the photo was.
        const qint64 limit = own > 0 ? std::min(settings.maxBytes, own) : settings.maxBytes;
        result = lowest.size() <= limit ? fitQuality(encoder, limit, std::move(lowest))
                                        : fitScale(encoder, limit, lowest.size());
    }
    result.warnings = encoder.warnings();
    if (result.warnings > kMostWarnings) {
        result.bytes.clear();
        result.error = QStringLiteral("damaged JPEG data");
    }
    // Whatever made them, only JPEG bytes that libjpeg opens again are handed on as written.
    if (result.error.isEmpty() && result.suffix == QLatin1String("jpg") &&
        !JpegCheck::opens(result.bytes)) {
        result.bytes.clear();
        result.error = QStringLiteral("could not be encoded as JPEG");
    }
    return result;
}

qint64 PhotoCompressor::sourceSize(const Image& photo)
{
    if (!photo.hasSource())
        return fullQualitySize(photo);
    const QString path = photo.sourcePath();
    return path.isEmpty() ? photo.sourceBytes().size() : QFileInfo(path).size();
}

qint64 PhotoCompressor::fullQualitySize(const Image& photo)
{
    if (photo.sourceFormat() == "jpeg") {
        DctRecompressor dct(photo.sourceBytes(), 100, DctRecompressor::Reading::ParallelEntropy);
        const QByteArray bytes = dct.encodeOnce(JpegCompressor::kFullQuality);
        if (!bytes.isEmpty())
            return bytes.size();
        if (dct.isUsable())
            return -1;
    }
    return JpegCompressor::encodedSize(photo, JpegCompressor::kFullQuality);
}
