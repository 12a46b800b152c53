#pragma once

#include "image/Image.h"
#include "jobs/Job.h"
#include "ui/Screen.h"

#include <QList>
#include <QStringList>
#include <QUrl>
#include <QVariantList>

#include <atomic>
#include <memory>

// The compression job: a grid of the chosen photos with their full-quality sizes, and the run
// that re-encodes each one, writes it to the history and hands the records on.
class CompressImageScreen : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QList<Image> arrOfSelectedImages READ arrOfSelectedImages WRITE
                   setArrOfSelectedImages NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(
        QVariantList arrOfCompressImage READ arrOfCompressImage NOTIFY arrOfCompressImageChanged)
    Q_PROPERTY(int failedCount READ failedCount NOTIFY arrOfCompressImageChanged)
    // What the grid shows: one address and one size text per photo ("" until measured).
    Q_PROPERTY(QList<QUrl> imageUrls READ imageUrls NOTIFY arrOfSelectedImagesChanged)
    Q_PROPERTY(QStringList sizeLabels READ sizeLabels NOTIFY sizeLabelsChanged)
  public:
    explicit CompressImageScreen(Services& services, QObject* parent = nullptr);
    ~CompressImageScreen() override;

    [[nodiscard]] QList<Image> arrOfSelectedImages() const { return m_arrOfSelectedImages; }
    void setArrOfSelectedImages(const QList<Image>& images);
    [[nodiscard]] QVariantList arrOfCompressImage() const { return m_arrOfCompressImage; }
    [[nodiscard]] int failedCount() const { return m_failedCount; }
    [[nodiscard]] QList<QUrl> imageUrls() const;
    [[nodiscard]] QStringList sizeLabels() const { return m_sizeLabels; }
    [[nodiscard]] Job& job() { return m_job; }

    void viewDidLoad() override;
    void prepare(const QString& segue, Screen* destination) override;

    Q_INVOKABLE void btnBack();
    Q_INVOKABLE void btnCompress();
    Q_INVOKABLE void startCompression();

  signals:
    void arrOfSelectedImagesChanged();
    void arrOfCompressImageChanged();
    void sizeLabelsChanged();

  private:
    void measureSizes();
    void stopMeasuring();
    void finishRun(const QVariantList& records, int failed);

    QList<Image> m_arrOfSelectedImages;
    QVariantList m_arrOfCompressImage;
    QStringList m_sizeLabels;
    int m_failedCount = 0;
    std::shared_ptr<std::atomic<bool>> m_measuring; // cleared when its labels are no longer wanted
    Job m_job{m_services};
    bool m_loaded = false;
};
