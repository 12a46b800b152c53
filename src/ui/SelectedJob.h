// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which job the photo picker serves; the home screen chooses it before opening the picker.
enum class SelectedJob
{
    ImageToPDF,
    CompressImage,
    ResizeImage,
    ExtractText,
};
