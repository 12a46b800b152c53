// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How every subcommand reads a photo; apart from the subcommands, which a runner links only when
// it has them.
#include "CliApp.h"

#include "image/Image.h"
#include "platform/qt/FolderPhotoLibrary.h"

// A cut-off JPEG is refused as the picker refuses it (its decoder would fill the rest with grey),
// and a damaged PNG before Qt's reader prints libpng's complaint; with wholly, anything else must
// decode in full too (a PDF takes its pages as they are checked).
Image CliApp::loadPhoto(const QString& path, QString& reason, bool wholly)
{
    // The jobs that take pictures whole (PDF pages, scans) hold their bitmaps; the others stream.
    Image image = Image::fromFile(path, 1.0, &reason,
                                  wholly ? Image::Decoding::Whole : Image::Decoding::RowByRow);
    if (image.sourceFormat() == "pdf") { // Qt would read its first page as a picture
        reason = QStringLiteral("is a PDF, not a photo (quire-cli images turns its pages into "
                                "images)");
        return {};
    }
    if (!image.isNull() &&
        (wholly || image.sourceFormat() == "jpeg" || image.sourceFormat() == "png") &&
        !FolderPhotoLibrary::decodes(image)) {
        reason = kUnreadable;
        return {};
    }
    return image;
}
