// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PhotoAdjustment.h"
#include "jobs/Job.h"
#include "ui/Screen.h"
#include "ui/SelectedJob.h"

#include <QList>
#include <QPointF>
#include <QUrl>
#include <QVariantList>
#include <QtQmlIntegration/qqmlintegration.h>

#include <atomic>
#include <memory>
#include <vector>

// The step between picking photos of paper and their job: each photo with its page's outline to
// correct, a filter, turns, and a live preview of the page; Done hands the corrected pages on.
class AdjustScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QList<Image> arrOfSelectedImages READ arrOfSelectedImages NOTIFY photosChanged)
    Q_PROPERTY(int count READ count NOTIFY photosChanged)
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex NOTIFY currentChanged)
    Q_PROPERTY(QUrl photoUrl READ photoUrl NOTIFY currentChanged)
    // The outline's corners from the top-left clockwise, as fractions of the photo's width and
    // height; empty while the page is still being looked for.
    Q_PROPERTY(QVariantList corners READ cornerPoints NOTIFY adjustmentChanged)
    // ScanFilter's order: Original, Greyscale, Document, Black & white.
    Q_PROPERTY(int filter READ filter WRITE setFilter NOTIFY adjustmentChanged)
    Q_PROPERTY(int quarterTurns READ quarterTurns NOTIFY adjustmentChanged)
    Q_PROPERTY(QString message READ message NOTIFY adjustmentChanged)
    Q_PROPERTY(QUrl previewUrl READ previewUrl NOTIFY previewChanged)
    // The preview's longest side in device pixels; the page is made no larger.
    Q_PROPERTY(int previewSide READ previewSide WRITE setPreviewSide NOTIFY previewChanged)
    // A newer preview is on its way.
    Q_PROPERTY(bool previewing READ previewing NOTIFY previewChanged)
    // The photos are being corrected: Done and Skip wait.
    Q_PROPERTY(bool adjusting READ adjusting NOTIFY adjustingChanged)
  public:
    explicit AdjustScreen(Services& services, QObject* parent = nullptr);

    // The photos as picked and the job they are for, which names the way on.
    void setPhotos(const QList<Image>& photos, SelectedJob job);
    [[nodiscard]] QList<Image> arrOfSelectedImages() const;
    [[nodiscard]] int count() const { return int(m_pages.size()); }
    [[nodiscard]] int currentIndex() const { return m_index; }
    void setCurrentIndex(int index);
    [[nodiscard]] QUrl photoUrl() const;
    [[nodiscard]] QList<QPointF> corners() const;
    // The same as points QML reads (it has no type for a list of them).
    [[nodiscard]] QVariantList cornerPoints() const;
    [[nodiscard]] int filter() const;
    void setFilter(int filter);
    [[nodiscard]] int quarterTurns() const;
    [[nodiscard]] QString message() const;
    [[nodiscard]] QUrl previewUrl() const { return m_preview.url(); }
    [[nodiscard]] int previewSide() const { return m_previewSide; }
    void setPreviewSide(int side);
    [[nodiscard]] bool previewing() const { return m_previewing; }
    [[nodiscard]] bool adjusting() const { return m_job.running(); }
    [[nodiscard]] Job& job() { return m_job; }

    void viewDidLoad() override;
    void prepare(const QString& segue, Screen* destination) override;

    // Puts corner (0 top-left, clockwise) at x, y (fractions of the photo); an outline that
    // would cross or fold is refused, with a message, and nothing moves.
    Q_INVOKABLE bool moveCorner(int corner, qreal x, qreal y);
    // Moves a corner by steps of a hundredth of the photo, as the arrow keys do.
    Q_INVOKABLE bool nudgeCorner(int corner, int dx, int dy);
    Q_INVOKABLE void rotateLeft() { turn(3); }
    Q_INVOKABLE void rotateRight() { turn(1); }
    // The current filter and turns for every photo.
    Q_INVOKABLE void applyToAll();
    Q_INVOKABLE void btnSkip();
    Q_INVOKABLE void btnDone();
    Q_INVOKABLE void btnBack();

  signals:
    void photosChanged();
    void currentChanged();
    void adjustmentChanged();
    void previewChanged();
    void adjustingChanged();

  private:
    void turn(int quarters);
    void refresh();
    quint64 nextTicket();
    void moveOn(const QList<Image>& pages);
    [[nodiscard]] PhotoAdjustment& current() { return m_pages[size_t(m_index)]; }
    [[nodiscard]] const PhotoAdjustment* currentOrNull() const;

    std::vector<PhotoAdjustment> m_pages;
    QString m_nextSegue = QStringLiteral("segue_ImageToPDF");
    QList<Image> m_handed; // what the job screen gets
    int m_index = 0;
    QImage m_working; // the current photo's working copy, once made
    Image m_preview;  // held so that its image:// address stays good
    int m_previewSide = 800;
    quint64 m_ticket = 0; // the latest refresh; older ones are dropped
    std::shared_ptr<std::atomic<quint64>> m_latest = std::make_shared<std::atomic<quint64>>(0);
    QString m_refusal;
    bool m_previewing = false;
    Job m_job{services()};
};
