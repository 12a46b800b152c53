// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResizeImageScreen.h"

#include "ResizeImagePreviewScreen.h"
#include "history/HistoryStore.h"
#include "platform/Clock.h"
#include "platform/Dispatcher.h"
#include "resize/ImageResizer.h"
#include "ui/AlertCenter.h"
#include "ui/ProgressOverlay.h"
#include "ui/Services.h"

#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
const QString kWidthField = QStringLiteral("tfImageWIdth");

// The decimal text of a computed side; empty when it is no number a field could show. A side
// that exists but is under a pixel (40 wide from 256 x 1) is one pixel, not nothing.
QString sideText(double value)
{
    if (!std::isfinite(value) || std::abs(value) >= 9.2e18)
        return {};
    if (value > 0 && value < 1)
        return QStringLiteral("1");
    return QString::number(qint64(std::trunc(value)));
}
} // namespace

ResizeImageScreen::ResizeImageScreen(Services& services, QObject* parent) : Screen(services, parent)
{
    setTitle(tr("Resize"));
}

void ResizeImageScreen::setArrOfSelectedImages(const QList<Image>& images)
{
    m_arrOfSelectedImages = images;
    emit arrOfSelectedImagesChanged();
}

QString ResizeImageScreen::ivMaintainAspectRatio() const
{
    return m_isAspectRatioOn ? QStringLiteral("on") : QStringLiteral("off");
}

QString ResizeImageScreen::lblMsg() const
{
    if (!m_isAspectRatioOn)
        return {};
    return tr("You can specify only one dimentions (Width or Height). The second one "
              "will calculated to preserve image aspect ratio.");
}

void ResizeImageScreen::viewDidLoad()
{
    m_selectedImage = m_arrOfSelectedImages.value(0);
    const QSizeF size = m_selectedImage.size();
    m_lblImageOriginalSize =
        QStringLiteral("%1 X %2").arg(qint64(size.width())).arg(qint64(size.height()));
    emit selectedImageChanged();
}

void ResizeImageScreen::doneButtonAction()
{
    emit endEditing();
}

void ResizeImageScreen::btnBack()
{
    popScreen();
}

void ResizeImageScreen::btnAspectRatio()
{
    m_isAspectRatioOn = !m_isAspectRatioOn;
    emit aspectRatioChanged();
    emit fieldsChanged(); // the size limit may now be passed, or no longer
}

QString& ResizeImageScreen::text(const QString& field)
{
    return field == kWidthField ? m_width : m_height;
}

bool ResizeImageScreen::tooLarge() const
{
    const auto side = [](const QString& t) { return t.isEmpty() ? 0.0 : t.toDouble(); };
    const double w = side(m_width), h = side(m_height);
    const QSizeF size = m_selectedImage.size();
    if (!m_width.isEmpty() && !m_height.isEmpty())
        return ImageResizer::check(ImageResizer::drawingSize(size, w, h, m_isAspectRatioOn)) ==
               ImageResizer::Refusal::TooLarge;
    // One side typed: the side a kept proportion could not fill in (too long to show) is beyond
    // the limit too.
    if (!m_isAspectRatioOn || size.isEmpty())
        return false;
    const double other = m_height.isEmpty() ? size.height() * (w / size.width())
                                            : size.width() * (h / size.height());
    return std::max({w, h, other}) > ImageResizer::kMaxSide;
}

QString ResizeImageScreen::message(const QString& refused, bool width) const
{
    QStringList parts;
    if (!refused.isEmpty())
        parts << tr("Digits only: “%1” left out.").arg(refused);
    if (width == m_widthEditedLast && tooLarge())
        parts << tr("At most %1 pixels a side and %2 megapixels in all.")
                     .arg(ImageResizer::kMaxSide)
                     .arg(ImageResizer::kMaxPixels / 1000000);
    return parts.join(QLatin1Char(' '));
}

bool ResizeImageScreen::shouldChangeCharactersIn(const QString& field, int location, int length,
                                                 const QString& string)
{
    QString& refused = field == kWidthField ? m_widthRefused : m_heightRefused;
    m_widthEditedLast = field == kWidthField;
    for (const QChar c : string) {
        // Decimal digits of every script, as the keyboard may offer them. What is left out is
        // said beside the field: typed on, "12x-3" would silently become 123.
        if (!c.isDigit()) {
            refused += string;
            emit fieldsChanged();
            return false;
        }
    }
    QString& current = text(field);
    const auto apply = [&] {
        const int from = qBound(0, location, int(current.size()));
        current.replace(from, qBound(0, length, int(current.size()) - from), string);
        if (m_width.isEmpty())
            m_widthRefused.clear();
        if (m_height.isEmpty())
            m_heightRefused.clear();
        emit fieldsChanged();
    };
    if (!m_isAspectRatioOn) {
        apply();
        return true;
    }
    if (string.isEmpty() && current.size() < 2) {
        m_height.clear();
        m_width.clear();
        m_heightRefused.clear();
        m_widthRefused.clear();
        emit fieldsChanged();
        return true;
    }
    // The other side follows the number as if new digits went at the end and a deletion took
    // the last one, wherever the caret stands.
    const QString prospective = string.isEmpty() ? current.chopped(1) : current + string;
    bool ok = false;
    const auto v = double(prospective.toFloat(&ok));
    const QSizeF size = m_selectedImage.size();
    QString other;
    if (ok && !size.isEmpty()) {
        other = field == kWidthField ? sideText(size.height() * (v / size.width()))
                                     : sideText(size.width() * (v / size.height()));
    }
    (field == kWidthField ? m_height : m_width) = other;
    apply();
    return true;
}

void ResizeImageScreen::textFieldEdited(const QString& field, const QString& edited)
{
    const QString old = text(field);
    int prefix = 0;
    const int shorter = int(std::min(old.size(), edited.size()));
    while (prefix < shorter && old[prefix] == edited[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < shorter - prefix &&
           old[old.size() - 1 - suffix] == edited[edited.size() - 1 - suffix])
        ++suffix;
    const int length = int(old.size()) - prefix - suffix;
    const QString string = edited.mid(prefix, edited.size() - prefix - suffix);
    if (!shouldChangeCharactersIn(field, prefix, length, string))
        emit fieldsChanged(); // puts the refused text back
}

void ResizeImageScreen::alert(const QString& message)
{
    services().alerts->present(Alert{tr("Opps"), message, {{tr("OK"), nullptr}}});
}

void ResizeImageScreen::btnReize()
{
    if (m_job.running())
        return;
    // Already explained beside the field, where it can be put right.
    if (tooLarge())
        return;
    if (m_width.isEmpty() || m_height.isEmpty()) {
        alert(m_width.isEmpty() ? tr("Enter Width For Image") : tr("Enter Height For Image"));
        return;
    }
    const auto read = [](const QString& t) {
        bool ok = false;
        const qint64 v = t.toLongLong(&ok, 10);
        return ok ? double(v) : 0.0;
    };
    const QSizeF drawing = ImageResizer::drawingSize(m_selectedImage.size(), read(m_width),
                                                     read(m_height), m_isAspectRatioOn);
    switch (ImageResizer::check(drawing)) {
    case ImageResizer::Refusal::Empty:
        alert(tr("Enter a width and a height of at least 1."));
        return;
    case ImageResizer::Refusal::TooLarge: // tooLarge() has said so beside the field
        return;
    case ImageResizer::Refusal::None:
        break;
    }

    // A large photo takes a while to draw and encode: off the GUI thread, under the overlay.
    const Image photo = m_selectedImage;
    Services* s = &services();
    const auto work = [photo, drawing, s](JobControl& job) {
        job.setTotal(1);
        Drawn drawn{ImageResizer::draw(photo, drawing), {}};
        job.advance();
        if (!drawn.image.isNull() && !job.isCancelled()) {
            const auto seconds = qint64(std::trunc(s->clock->now()));
            const auto written = s->history->write(
                seconds, QStringLiteral("png"), [&drawn](QIODevice& out, QString& error) {
                    return ImageResizer::writePng(drawn.image, out, error);
                });
            if (!written.ok())
                drawn.saveError = written.error;
        }
        return drawn;
    };
    m_job.run(QString(), work, [this](const Drawn& drawn) {
        if (drawn.image.isNull()) {
            finish(drawn.image, tr("The photo could not be read."));
            return;
        }
        finish(drawn.image, QString());
        // The result is still shown, to save or share; only the History copy is missing.
        if (!drawn.saveError.isEmpty())
            alert(tr("The resized image could not be saved: %1.").arg(drawn.saveError));
    });
}

void ResizeImageScreen::finish(const QImage& result, const QString& failure)
{
    if (!failure.isEmpty()) {
        m_job.fail(failure);
        alert(failure);
        return;
    }
    m_croppedImage = Image::fromQImage(result);
    emit croppedImageChanged();
    performSegue(QStringLiteral("segue_previewResizeImage"));
}

void ResizeImageScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue == QLatin1String("segue_previewResizeImage"))
        if (auto* preview = qobject_cast<ResizeImagePreviewScreen*>(destination))
            preview->setCroppedImage(m_croppedImage);
}
