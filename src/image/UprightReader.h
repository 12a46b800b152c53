// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImageIOHandler>
#include <QImageReader>

// Decodes a photo upright by the orientation its file records. Qt turns JPEG, HEIF and TIFF
// itself; WebP keeps its orientation in an EXIF chunk that Qt's reader does not look at.
class UprightReader
{
  public:
    explicit UprightReader(QIODevice* device);

    [[nodiscard]] bool canRead() { return m_reader.canRead(); }
    [[nodiscard]] QByteArray format() { return m_reader.format(); }
    // The size as stored, before turning, and the turn read() applies.
    [[nodiscard]] QSize storedSize() { return m_reader.size(); }
    [[nodiscard]] QImageIOHandler::Transformations transformation() const
    {
        return m_transformation;
    }
    // Asks the decoder for this upright size (scaled while decoding where the format can).
    void setUprightScaledSize(QSize upright);
    void setQuality(int quality) { m_reader.setQuality(quality); }
    [[nodiscard]] QImage read();

    // The turn recorded in a WebP file's EXIF chunk; none when it has none or is not WebP.
    static QImageIOHandler::Transformations webpTransformation(QIODevice* device);

  private:
    QImageReader m_reader;
    QImageIOHandler::Transformations m_transformation = QImageIOHandler::TransformationNone;
    bool m_turnAfterReading = false;
};
