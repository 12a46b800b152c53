// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompressImageScreen.h"

#include "CompressImagePreviewScreen.h"
#include "common/JobControl.h"
#include "common/MemoryBudget.h"
#include "compress/CompressRun.h"
#include "compress/SizeTarget.h"
#include "history/HistoryStore.h"
#include "history/SizeLabel.h"
#include "platform/Clock.h"
#include "platform/Dispatcher.h"
#include "platform/UserDefaults.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"

#include <QCoreApplication>
#include <QPointer>

#include <cmath>

namespace {
// Writes one compressed photo to the history and makes its record; an empty record, with the
// system's reason in error, when the file could not be written.
QVariantMap store(Services& services, int index, const PhotoCompressor::Result& result,
                  QString& error)
{
    const QByteArray& data = result.bytes;
    const auto seconds = qint64(std::trunc(services.clock->now()));
    const HistoryStore::Written file =
        CompressRun::store(*services.history, seconds, index, result);
    if (!file.ok()) {
        error = file.error;
        return {};
    }
    // The record re-reads its file rather than holding a second bitmap per photo.
    Image image = Image::fromFile(file.path);
    if (image.isNull())
        image = Image::fromData(data);
    QVariantMap record;
    record.insert(QStringLiteral("image"), QVariant::fromValue(image));
    record.insert(QStringLiteral("compSize"), qint64(data.size()));
    return record;
}

QString qualityLabel(const PhotoCompressor::Result& result)
{
    if (result.kept)
        return QCoreApplication::translate("CompressImageScreen",
                                           "already small enough, kept as it was");
    QString label =
        QCoreApplication::translate("CompressImageScreen", "quality %1").arg(result.quality);
    if (result.scaled)
        label += QStringLiteral(", %1 × %2").arg(result.size.width()).arg(result.size.height());
    return label;
}

bool keepLocation(Services& services)
{
    return services.defaults->value(CompressImageScreen::kKeepLocationKey).toBool();
}
} // namespace

CompressImageScreen::CompressImageScreen(Services& services, QObject* parent)
    : Screen(services, parent)
{
    setTitle(tr("Compress"));
}

CompressImageScreen::~CompressImageScreen()
{
    stopMeasuring();
}

void CompressImageScreen::stopMeasuring()
{
    if (m_measuring)
        *m_measuring = false;
    m_measuring.reset();
}

void CompressImageScreen::setArrOfSelectedImages(const QList<Image>& images)
{
    m_arrOfSelectedImages = images;
    stopMeasuring();
    m_sizeLabels = QStringList(images.size(), QString());
    emit arrOfSelectedImagesChanged();
    emit sizeLabelsChanged();
    if (m_loaded)
        measureSizes();
}

QList<QUrl> CompressImageScreen::imageUrls() const
{
    QList<QUrl> urls;
    urls.reserve(m_arrOfSelectedImages.size());
    for (const Image& image : m_arrOfSelectedImages)
        urls.append(image.url());
    return urls;
}

void CompressImageScreen::viewDidLoad()
{
    m_loaded = true;
    measureSizes();
}

void CompressImageScreen::measureSizes()
{
    // A full-quality encode of a 12-megapixel photo takes a good part of a second. One background
    // item measures the photos in order, once each, and each label appears when it is known; it
    // leaves the other threads to the compression itself, and stops when the screen lets go.
    auto measuring = std::make_shared<std::atomic<bool>>(true);
    m_measuring = measuring;
    const QList<Image> photos = m_arrOfSelectedImages;
    QPointer<CompressImageScreen> self(this);
    Dispatcher* dispatcher = services().dispatcher;
    dispatcher->background([=] {
        for (int i = 0; i < photos.size() && *measuring; ++i) {
            // Measuring decodes too, beside the compression: it takes its share of the budget.
            const qint64 bytes = [&] {
                const MemoryBudget::Share share(MemoryBudget::costOf(photos.at(i).pixelSize()));
                return PhotoCompressor::sourceSize(photos.at(i));
            }();
            dispatcher->async([=] {
                if (!self || !*measuring || i >= self->m_sizeLabels.size())
                    return;
                // A photo that does not encode has no size to show.
                self->m_sizeLabels[i] = bytes < 0 ? QStringLiteral("–") : sizeLabel(bytes);
                emit self->sizeLabelsChanged();
            });
        }
    });
}

void CompressImageScreen::setMaxBytes(qint64 bytes)
{
    bytes = std::max<qint64>(0, bytes);
    if (bytes == m_maxBytes)
        return;
    m_maxBytes = bytes;
    emit maxBytesChanged();
}

QString CompressImageScreen::targetText() const
{
    return m_maxBytes > 0 ? SizeTarget::text(m_maxBytes) : QString();
}

bool CompressImageScreen::setTargetText(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        setMaxBytes(0);
        return true;
    }
    const qint64 bytes = SizeTarget::parse(text);
    if (bytes <= 0)
        return false;
    setMaxBytes(bytes);
    return true;
}

void CompressImageScreen::btnBack()
{
    setArrOfSelectedImages({});
    popScreen();
}

void CompressImageScreen::btnCompress()
{
    startCompression();
}

void CompressImageScreen::startCompression()
{
    // The run works on its own copies: nothing it reads or writes belongs to the screen until
    // the main queue hands the records back.
    const QList<Image> photos = m_arrOfSelectedImages;
    PhotoCompressor::Settings settings;
    settings.maxBytes = m_maxBytes;
    settings.keepLocation = keepLocation(services());
    Services* s = &services();
    const auto work = [photos, settings, s](JobControl& job) {
        Outcome outcome;
        CompressRun::run(
            photos, settings, job, [&](int index, const PhotoCompressor::Result& result) {
                if (!result.ok()) {
                    outcome.failures.append(tr("Photo %1 %2.").arg(index + 1).arg(result.error));
                    return;
                }
                QString error;
                const QVariantMap record = store(*s, index, result, error);
                if (record.isEmpty()) {
                    outcome.failures.append(
                        tr("Photo %1 could not be saved: %2.").arg(index + 1).arg(error));
                    return;
                }
                outcome.records.append(record);
                outcome.qualities.append(qualityLabel(result));
            });
        return outcome;
    };
    m_job.run(tr("Compresing Images..."), work,
              [this](const Outcome& outcome) { finishRun(outcome); });
}

void CompressImageScreen::finishRun(const Outcome& outcome)
{
    m_arrOfCompressImage = outcome.records; // each run starts from an empty list
    m_outcome = outcome;
    emit arrOfCompressImageChanged();
    performSegue(QStringLiteral("segue_previewCompressImage"));
}

void CompressImageScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue != QLatin1String("segue_previewCompressImage"))
        return;
    auto* preview = qobject_cast<CompressImagePreviewScreen*>(destination);
    if (!preview)
        return;
    preview->setArrOfCompressImage(m_arrOfCompressImage);
    preview->setQualityLabels(m_outcome.qualities);
    preview->setFailures(m_outcome.failures);
}
