#include "CompressImageScreen.h"

#include "JpegCompressor.h"
#include "history/HistoryStore.h"
#include "history/SizeLabel.h"
#include "platform/Clock.h"
#include "platform/Dispatcher.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"

#include <QPointer>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <cmath>

namespace {
// Writes one compressed photo to the history and makes its record.
QVariantMap store(Services& services, int index, const QByteArray& data)
{
    const auto seconds = qint64(std::trunc(services.clock->now()));
    const HistoryStore::Written file =
        services.history->write(seconds + index, QStringLiteral("jpg"), data);
    // The record re-reads its file rather than holding a second bitmap per photo.
    Image image = file.ok() ? Image::fromFile(file.path) : Image();
    if (image.isNull())
        image = Image::fromData(data);
    QVariantMap record;
    record.insert(QStringLiteral("image"), QVariant::fromValue(image));
    record.insert(QStringLiteral("compSize"), qint64(data.size()));
    return record;
}
} // namespace

CompressImageScreen::CompressImageScreen(Services& services, QObject* parent)
    : Screen(services, parent)
{
    setTitle(QStringLiteral("Compress"));
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
    Dispatcher* dispatcher = m_services.dispatcher;
    dispatcher->background([=] {
        for (int i = 0; i < photos.size() && *measuring; ++i) {
            const qint64 bytes =
                JpegCompressor::encodedSize(photos.at(i), JpegCompressor::kFullQuality);
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
    Services* services = &m_services;
    const auto work = [photos, services](JobControl& job) {
        QVariantList records;
        int failed = 0;
        job.setTotal(int(photos.size()));
        // A few photos at a time are encoded side by side; their files are then written in list
        // order, so names and history stay in step with the list and memory stays bounded.
        const int batch = std::max(1, QThread::idealThreadCount());
        for (int first = 0; first < photos.size() && !job.isCancelled(); first += batch) {
            const QList<Image> slice = photos.mid(first, batch);
            const QList<QByteArray> encoded =
                QtConcurrent::blockingMapped(slice, [](const Image& photo) {
                    QByteArray data = JpegCompressor::encode(photo, JpegCompressor::kQuality);
                    return JpegCompressor::decodes(data) ? data : QByteArray();
                });
            for (int k = 0; k < encoded.size(); ++k) {
                const QByteArray& data = encoded.at(k);
                if (data.isEmpty())
                    ++failed;
                else
                    records.append(store(*services, first + k, data));
                job.advance();
            }
        }
        return std::make_pair(records, failed);
    };
    m_job.run(
        QStringLiteral("Compresing Images..."), work,
        [this](const std::pair<QVariantList, int>& run) { finishRun(run.first, run.second); });
}

void CompressImageScreen::finishRun(const QVariantList& records, int failed)
{
    m_arrOfCompressImage = records; // each run starts from an empty list
    m_failedCount = failed;
    emit arrOfCompressImageChanged();
    performSegue(QStringLiteral("segue_previewCompressImage"));
}

void CompressImageScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue != QLatin1String("segue_previewCompressImage"))
        return;
    destination->setProperty("arrOfCompressImage", m_arrOfCompressImage);
    destination->setProperty("failedCount", m_failedCount);
}
