// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

// PDF files made on the spot for the page renderer's tests and benchmarks.
namespace samplepdfs {
// pages pages of sizePoints; page i (0-based) has a red square in its top-left corner and a grey
// square of grey level 40 * (i + 1) beside it, so that order and orientation can be told.
bool write(const QString& path, int pages, QSizeF sizePoints = QSizeF(612, 792));
// The grey level of page i's marker.
int greyOf(int page);
// Runs qpdf on input with arguments (for example "--rotate=+90:1") and writes output.
bool qpdf(const QString& input, const QString& output, const QStringList& arguments);
// The raw stream of the one image on page (a JPEG's own bytes); empty when there is not one.
QByteArray embeddedImage(const QString& path, int page = 0);
// A file whose page tree says pages pages but holds only present of them.
bool writeShortPageTree(const QString& path, int pages, int present);
// Two Letter pages: the first a scan (one grey picture of the words scanned, no text of its
// own, with footer printed small at its foot), the second the words typed as text; protected by
// password when one is given.
bool writeScannedAndTyped(const QString& path, const QString& scanned, const QString& typed,
                          const QByteArray& password = {}, const QString& footer = {});
// One Letter page for each picture (grey or colour, named /Scan), the picture over the whole page
// and nothing else, as scanners make them; or contents[i], when given, is page i's content.
bool writePictures(const QString& path, const QList<QImage>& pictures,
                   const QStringList& contents = {});
} // namespace samplepdfs
