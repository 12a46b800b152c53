// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BandedPage.h"

#include "InkShapes.h"
#include "LeftOutText.h"
#include "TextLayerPdf.h"

#include "image/TextBands.h"
#include "platform/qt/TesseractEngine.h"

#include <QDir>
#include <QLoggingCategory>

#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>

#include <utility>

namespace {
Q_LOGGING_CATEGORY(lcBandedPage, "quire.bandedpage")
}

BandedPage::BandedPage(int index, int dpi, QImage grey, int bands)
    : m_index(index), m_dpi(dpi), m_grey(std::move(grey)), m_bands(TextBands::cut(m_grey, bands)),
      m_read(size_t(m_bands.size())), m_left(m_bands.size())
{
}

bool BandedPage::readBand(tesseract::TessBaseAPI& api, qsizetype band,
                          tesseract::ETEXT_DESC& monitor)
{
    // The band as an image of its own: the engine's page layout misplaces lines within a
    // rectangle of a larger image.
    const QRect& r = m_bands[band];
    TesseractEngine::setImage(api, m_grey, r.top(), r.height());
    api.SetSourceResolution(m_dpi);
    if (api.Recognize(&monitor) != 0)
        return false;
    PageText& text = m_read[size_t(band)];
    text = PageText::read(api);
    text.moveDown(r.top());
    api.Clear();
    return true;
}

bool BandedPage::bandDone()
{
    return --m_left == 0;
}

QString BandedPage::finish(tesseract::TessBaseAPI& api, const QString& layerPdf,
                           QString& text) const
{
    PageText words;
    for (const PageText& band : m_read)
        words.lines << band.lines;
    TesseractEngine::setImage(api, m_grey);
    api.SetSourceResolution(m_dpi);
    const QList<InkShapes::Ink> marks = InkShapes::marks(m_grey);
    LeftOutText::add(api, marks, m_grey.size(), words);
    InkShapes::mend(words, marks);
    api.Clear();
    text = words.plain();
    if (layerPdf.isEmpty())
        return {};
    const QString font =
        QDir(QString::fromLocal8Bit(api.GetDatapath())).filePath(QStringLiteral("pdf.ttf"));
    QString error;
    if (!TextLayerPdf::write(words, m_grey.size(), m_dpi, font, layerPdf, error)) {
        qCWarning(lcBandedPage) << "text layer not written:" << error;
        return QStringLiteral("its text layer could not be written");
    }
    return {};
}
