// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageSetup.h"
#include "history/HistoryStore.h"
#include "image/Image.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class JobControl;
class QIODevice;

// Writes images as the pages of one PDF, each page the image's size in points or the chosen paper.
// JPEG photos go in as their own bytes, turned upright and placed by the page's transform;
// anything else goes in lossless. One image is read at a time, while its page is written.
namespace PdfWriter {
struct Options
{
    PageSetup setup;
    // Per page, a one-page PDF laid over the photo (an invisible text layer); empty for none.
    QStringList overlays;
    // When not empty, the document is protected by this password (AES-256).
    QByteArray password;
};
// Writes the document to out; false, with error set, when it could not be made or written, or
// when job was cancelled. Each page is reported to job as it is written.
bool write(const QList<Image>& images, QIODevice& out, QString& error, JobControl* job = nullptr,
           const Options& options = {});
// The same as a writer for the history store (which writes whole files or none).
HistoryStore::Writer writer(QList<Image> images, JobControl* job = nullptr, Options options = {});
} // namespace PdfWriter

// Writes images as stem.pdf into the History folder and lists it first.
HistoryStore::Written writePDF(HistoryStore& history, qint64 stem, const QList<Image>& images,
                               JobControl* job = nullptr, const PdfWriter::Options& options = {});
