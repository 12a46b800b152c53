#pragma once

#include "history/HistoryStore.h"
#include "image/Image.h"

#include <QList>
#include <QString>

class JobControl;
class QIODevice;

// Writes images as the pages of one PDF, each page exactly the image's size in points. JPEG
// photos go in as their own bytes, turned upright by the page's transform; anything else goes in
// lossless. One image is read at a time, while its page is written.
namespace PdfWriter {
// Writes the document to out; false, with error set, when it could not be made or written, or
// when job was cancelled. Each page is reported to job as it is written.
bool write(const QList<Image>& images, QIODevice& out, QString& error, JobControl* job = nullptr);
// The same as a writer for the history store (which writes whole files or none).
HistoryStore::Writer writer(QList<Image> images, JobControl* job = nullptr);
} // namespace PdfWriter

// Writes images as stem.pdf into the History folder and lists it first.
HistoryStore::Written writePDF(HistoryStore& history, qint64 stem, const QList<Image>& images,
                               JobControl* job = nullptr);
