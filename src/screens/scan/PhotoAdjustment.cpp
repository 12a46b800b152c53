// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhotoAdjustment.h"

#include "common/Logging.h"
#include "common/MemoryBudget.h"
#include "scan/PageDetector.h"
#include "scan/ScannedPage.h"

#include <algorithm>

namespace {
// The quad moved from an image of size from onto one of size to, kept inside it: rounding in
// the smaller decode must not push a corner on the edge out of the picture.
PageQuad mapped(const PageQuad& quad, QSize from, QSize to)
{
    PageQuad out = quad;
    const double sx = double(to.width()) / std::max(1, from.width());
    const double sy = double(to.height()) / std::max(1, from.height());
    for (QPointF& p : out.corners)
        p = QPointF(std::clamp(p.x() * sx, 0.0, double(to.width())),
                    std::clamp(p.y() * sy, 0.0, double(to.height())));
    return out;
}

PageScanner::Options optionsFor(const PhotoAdjustment& a)
{
    PageScanner::Options options;
    options.filter = a.filter;
    // Once the text's direction is read it is kept, so that the page comes out as previewed.
    options.turnUpright = !a.uprightTurns;
    options.quarterTurns = a.uprightTurns.value_or(0) + a.turns;
    return options;
}
} // namespace

QImage PhotoAdjustment::workingCopy() const
{
    return photo.toQImage(QSize(kWorkingSide, kWorkingSide));
}

void PhotoAdjustment::detect(const QImage& copy)
{
    const PageDetection detection = PageDetector::detect(copy);
    quad = mapped(detection.quad, copy.size(), photo.pixelSize());
    found = detection.found;
    detected = true;
}

PageScanner::Result PhotoAdjustment::preview(const QImage& copy, int bound) const
{
    PageScanner::Options options = optionsFor(*this);
    if (detected)
        options.quad = mapped(quad, photo.pixelSize(), copy.size());
    PageScanner::Result result = PageScanner::scan(copy, options);
    if (result.ok() && bound > 0 && std::max(result.page.width(), result.page.height()) > bound)
        result.page =
            result.page.scaled(bound, bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return result;
}

Image PhotoAdjustment::corrected() const
{
    const QSize size = photo.pixelSize();
    // The photo, the page and a working copy of it are held at once.
    const MemoryBudget::Share share(MemoryBudget::costOf(size) * 2);
    PageScanner::Options options = optionsFor(*this);
    if (detected)
        options.quad = quad;
    const PageScanner::Result result = PageScanner::scan(photo.toQImage(), options);
    Image page = result.ok() ? ScannedPage::toImage(result.page, filter) : Image();
    if (page.isNull()) {
        qCWarning(lcUi) << "Photo kept as it is:" << result.error;
        return photo;
    }
    return page;
}
