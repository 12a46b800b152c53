// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompressImagePreviewScreen.h"

#include "history/SizeLabel.h"
#include "ui/SaveFlow.h"
#include "ui/Services.h"
#include "ui/ShareSheet.h"
#include "viewer/ViewImageScreen.h"

#include <QPointer>

CompressImagePreviewScreen::CompressImagePreviewScreen(Services& services, QObject* parent)
    : Screen(services, parent)
{
    setTitle(tr("Compressed"));
}

void CompressImagePreviewScreen::setArrOfCompressImage(const QVariantList& records)
{
    m_arrOfCompressImage = records;
    updateResults();
    emit arrOfCompressImageChanged();
}

void CompressImagePreviewScreen::setFailures(const QStringList& failures)
{
    if (failures == m_failures)
        return;
    m_failures = failures;
    emit failuresChanged();
}

void CompressImagePreviewScreen::setQualityLabels(const QStringList& labels)
{
    m_qualityLabels = labels;
    updateResults();
    emit qualityLabelsChanged();
}

void CompressImagePreviewScreen::updateResults()
{
    const QList<QUrl> urls = imageUrls();
    const QStringList sizes = sizeLabels();
    QList<CompressResults::Row> rows;
    for (qsizetype r = 0; r < urls.size(); ++r) {
        const QString quality = m_qualityLabels.value(r);
        rows.append({urls.at(r), quality.isEmpty()
                                     ? sizes.at(r)
                                     : sizes.at(r) + QStringLiteral(" · ") + quality});
    }
    m_results.setRows(std::move(rows));
}

QString CompressImagePreviewScreen::failureText() const
{
    const qsizetype count = m_failures.size();
    if (count == 0)
        return {};
    const QString sentence = count == 1 ? tr("1 photo could not be compressed.")
                                        : tr("%1 photos could not be compressed.").arg(count);
    return sentence + QLatin1Char('\n') + m_failures.join(QLatin1Char('\n'));
}

Image CompressImagePreviewScreen::imageAt(int row) const
{
    if (row < 0 || row >= m_arrOfCompressImage.size())
        return {};
    return m_arrOfCompressImage.at(row).toMap().value(QStringLiteral("image")).value<Image>();
}

QList<QUrl> CompressImagePreviewScreen::imageUrls() const
{
    QList<QUrl> urls;
    for (int r = 0; r < m_arrOfCompressImage.size(); ++r)
        urls.append(imageAt(r).url());
    return urls;
}

QStringList CompressImagePreviewScreen::sizeLabels() const
{
    QStringList labels;
    for (const QVariant& record : m_arrOfCompressImage)
        labels.append(sizeLabel(record.toMap().value(QStringLiteral("compSize")).toLongLong()));
    return labels;
}

void CompressImagePreviewScreen::didSelectItem(int row)
{
    const Image image = imageAt(row);
    if (image.isNull())
        return;
    m_selectedImage = image;
    emit selectedImageChanged();
    performSegue(QStringLiteral("segue_viewImage"));
}

void CompressImagePreviewScreen::prepare(const QString& segue, Screen* destination)
{
    if (segue == QLatin1String("segue_viewImage"))
        if (auto* viewer = qobject_cast<ViewImageScreen*>(destination))
            viewer->setSelectedImage(m_selectedImage);
}

void CompressImagePreviewScreen::btnSave()
{
    std::vector<Image> images;
    for (int r = 0; r < m_arrOfCompressImage.size(); ++r)
        if (const Image image = imageAt(r); !image.isNull())
            images.push_back(image);
    QPointer<CompressImagePreviewScreen> self(this);
    SaveFlow::saveAll(services(), this, std::move(images), [self](int index) {
        if (!self || index == self->m_index)
            return;
        self->m_index = index;
        emit self->indexChanged();
    });
}

void CompressImagePreviewScreen::btnShare()
{
    shareImages();
}

void CompressImagePreviewScreen::shareImages()
{
    QList<ShareItem> items;
    for (int r = 0; r < m_arrOfCompressImage.size(); ++r)
        if (const Image image = imageAt(r); !image.isNull())
            items.append(ShareItem::fromImage(image));
    services().share->present(items);
}

void CompressImagePreviewScreen::btnHome()
{
    goHome();
}
