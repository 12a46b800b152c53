// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the app keeps its files and where the photo library lives.
struct Locations
{
    QString documents;    // the documents area; "History" lives inside
    QString photoLibrary; // folder of image files standing in for the photo library
    QString inbox;        // private copies of documents the user opened

    // From QUIRE_DOCUMENTS / QUIRE_PHOTO_LIBRARY, else the user's Documents/Quire and Pictures.
    [[nodiscard]] static Locations fromEnvironment();
};
