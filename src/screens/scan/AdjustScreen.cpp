// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AdjustScreen.h"

#include "platform/Dispatcher.h"
#include "screens/ocr/ExtractTextScreen.h"
#include "screens/topdf/ImageToPDFScreen.h"
#include "ui/Services.h"

#include <QPointer>

#include <algorithm>

AdjustScreen::AdjustScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Adjust"));
    connect(&m_job, &Job::stateChanged, this, &AdjustScreen::adjustingChanged);
}

void AdjustScreen::setPhotos(const QList<Image>& photos, SelectedJob job)
{
    m_pages.clear();
    for (const Image& photo : photos) {
        PhotoAdjustment page;
        page.photo = photo;
        m_pages.push_back(page);
    }
    m_nextSegue = job == SelectedJob::ExtractText ? QStringLiteral("segue_extractText")
                                                  : QStringLiteral("segue_ImageToPDF");
    m_index = 0;
    m_working = QImage();
    emit photosChanged();
    emit currentChanged();
    emit adjustmentChanged();
}

QList<Image> AdjustScreen::arrOfSelectedImages() const
{
    QList<Image> photos;
    for (const PhotoAdjustment& page : m_pages)
        photos.append(page.photo);
    return photos;
}

const PhotoAdjustment* AdjustScreen::currentOrNull() const
{
    return m_pages.empty() ? nullptr : &m_pages[size_t(m_index)];
}

void AdjustScreen::viewDidLoad()
{
    refresh();
}

void AdjustScreen::setCurrentIndex(int index)
{
    if (index == m_index || index < 0 || index >= count())
        return;
    m_index = index;
    m_working = QImage();
    m_refusal.clear();
    emit currentChanged();
    emit adjustmentChanged();
    refresh();
}

QUrl AdjustScreen::photoUrl() const
{
    const PhotoAdjustment* page = currentOrNull();
    return page ? page->photo.url() : QUrl();
}

QList<QPointF> AdjustScreen::corners() const
{
    const PhotoAdjustment* page = currentOrNull();
    if (!page || !page->detected)
        return {};
    const QSizeF size = page->photo.pixelSize();
    QList<QPointF> out;
    for (const QPointF& p : page->quad.corners)
        out.append(QPointF(p.x() / size.width(), p.y() / size.height()));
    return out;
}

QVariantList AdjustScreen::cornerPoints() const
{
    QVariantList out;
    for (const QPointF& p : corners())
        out.append(p);
    return out;
}

int AdjustScreen::filter() const
{
    const PhotoAdjustment* page = currentOrNull();
    return page ? int(page->filter) : int(ScanFilter::Document);
}

void AdjustScreen::setFilter(int filter)
{
    if (m_pages.empty() || filter < ScanFilter::Original || filter > ScanFilter::BlackWhite ||
        filter == int(current().filter))
        return;
    current().filter = ScanFilter::Kind(filter);
    emit adjustmentChanged();
    refresh();
}

int AdjustScreen::quarterTurns() const
{
    const PhotoAdjustment* page = currentOrNull();
    return page ? page->turns : 0;
}

QString AdjustScreen::message() const
{
    const PhotoAdjustment* page = currentOrNull();
    if (!m_refusal.isEmpty())
        return m_refusal;
    return page && page->detected && !page->found ? tr("No page found; the whole photo is kept.")
                                                  : QString();
}

void AdjustScreen::setPreviewSide(int side)
{
    if (side <= 0 || side == m_previewSide)
        return;
    m_previewSide = side;
    emit previewChanged();
    refresh();
}

bool AdjustScreen::moveCorner(int corner, qreal x, qreal y)
{
    if (m_pages.empty() || corner < 0 || corner > 3 || !current().detected || m_job.running())
        return false;
    PhotoAdjustment& page = current();
    const QSize size = page.photo.pixelSize();
    PageQuad quad = page.quad;
    quad.corners[size_t(corner)] =
        QPointF(std::clamp(x, 0.0, 1.0) * size.width(), std::clamp(y, 0.0, 1.0) * size.height());
    if (!quad.refusal(size).isEmpty()) {
        m_refusal =
            tr("The outline cannot cross or fold over itself; that corner stays where it was.");
        emit adjustmentChanged();
        return false;
    }
    m_refusal.clear();
    page.quad = quad;
    page.found = true; // the user's outline is the page now
    emit adjustmentChanged();
    refresh();
    return true;
}

bool AdjustScreen::nudgeCorner(int corner, int dx, int dy)
{
    const QList<QPointF> now = corners();
    if (corner < 0 || corner >= now.size())
        return false;
    return moveCorner(corner, now[corner].x() + dx / 100.0, now[corner].y() + dy / 100.0);
}

void AdjustScreen::turn(int quarters)
{
    if (m_pages.empty())
        return;
    current().turns = (current().turns + quarters) % 4;
    emit adjustmentChanged();
    refresh();
}

void AdjustScreen::applyToAll()
{
    if (m_pages.empty())
        return;
    const PhotoAdjustment& model = current();
    for (PhotoAdjustment& page : m_pages) {
        page.filter = model.filter;
        page.turns = model.turns;
    }
}

quint64 AdjustScreen::nextTicket()
{
    m_latest->store(++m_ticket);
    return m_ticket;
}

void AdjustScreen::refresh()
{
    const PhotoAdjustment* now = currentOrNull();
    if (!now)
        return;
    const quint64 ticket = nextTicket();
    m_previewing = true;
    emit previewChanged();
    // Only the latest request is worth finishing: one still waiting for a thread gives up.
    const std::shared_ptr<std::atomic<quint64>> latest = m_latest;
    QPointer<AdjustScreen> self(this);
    Dispatcher* queues = services().dispatcher;
    queues->background([self, queues, ticket, latest, page = *now, copy = m_working,
                        side = m_previewSide, index = m_index]() mutable {
        if (latest->load() != ticket)
            return;
        if (copy.isNull())
            copy = page.workingCopy();
        if (!page.detected)
            page.detect(copy);
        QImage preview;
        if (!copy.isNull()) {
            const PageScanner::Result made = page.preview(copy, side);
            preview = made.page;
            if (!page.uprightTurns && made.ok())
                page.uprightTurns = made.uprightTurns;
        }
        queues->async([self, ticket, page, copy, preview, index] {
            if (!self || self->m_ticket != ticket || self->m_index != index)
                return;
            PhotoAdjustment& held = self->current();
            if (!held.detected) {
                held.quad = page.quad;
                held.found = page.found;
                held.detected = true;
            }
            if (!held.uprightTurns)
                held.uprightTurns = page.uprightTurns;
            self->m_working = copy;
            self->m_preview = Image::fromQImage(preview);
            self->m_previewing = false;
            emit self->adjustmentChanged();
            emit self->previewChanged();
        });
    });
}

void AdjustScreen::btnSkip()
{
    if (!m_job.running())
        moveOn(arrOfSelectedImages());
}

void AdjustScreen::btnDone()
{
    if (m_pages.empty() || m_job.running())
        return;
    nextTicket(); // a preview still on its way has nothing more to show
    m_previewing = false;
    emit previewChanged();
    const auto work = [pages = m_pages](JobControl& job) {
        job.setTotal(int(pages.size()));
        QList<Image> corrected;
        for (const PhotoAdjustment& page : pages) {
            if (job.isCancelled())
                break;
            corrected.append(page.corrected());
            job.advance();
        }
        return corrected;
    };
    m_job.run(QStringLiteral("Adjusting..."), work,
              [this](const QList<Image>& pages) { moveOn(pages); });
}

void AdjustScreen::moveOn(const QList<Image>& pages)
{
    m_handed = pages;
    performSegue(m_nextSegue);
}

void AdjustScreen::btnBack()
{
    m_job.cancel();
    nextTicket();
    popScreen();
}

void AdjustScreen::prepare(const QString&, Screen* destination)
{
    if (auto* pdf = qobject_cast<ImageToPDFScreen*>(destination))
        pdf->setArrOfSelectedImages(m_handed);
    else if (auto* text = qobject_cast<ExtractTextScreen*>(destination))
        text->setArrOfSelectedImages(m_handed);
}
