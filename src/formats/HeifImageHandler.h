// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QImageIOHandler>

// Reads the primary image of a HEIF file, upright: libheif applies the file's own rotation and
// mirroring, so the reader reports no further transformation.
class HeifImageHandler : public QImageIOHandler
{
  public:
    // True when the device starts with a HEIF brand; the device is only peeked.
    static bool canRead(QIODevice* device);

    [[nodiscard]] bool canRead() const override;
    bool read(QImage* image) override;
    [[nodiscard]] QVariant option(ImageOption option) const override;
    void setOption(ImageOption option, const QVariant& value) override;
    [[nodiscard]] bool supportsOption(ImageOption option) const override;

  private:
    // Reads the header and, when given an image, the picture into it; false when unreadable.
    bool load(QImage* image);

    bool m_loaded = false;
    bool m_failed = false;
    QSize m_size;
    QSize m_scaledSize;
    QByteArray m_bytes;
};
