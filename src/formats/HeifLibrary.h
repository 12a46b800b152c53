// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libheif/heif.h>

// libheif's functions, loaded with the first HEIF file rather than with every program: the
// library and its four codecs take a few milliseconds to load, which each start of quire-cli and
// of its helpers paid for photos that are nearly always JPEGs.
struct HeifLibrary
{
    decltype(&heif_check_filetype) checkFiletype = nullptr;
    decltype(&heif_context_alloc) contextAlloc = nullptr;
    decltype(&heif_context_free) contextFree = nullptr;
    decltype(&heif_context_read_from_memory_without_copy) readFromMemory = nullptr;
    decltype(&heif_context_get_primary_image_handle) primaryImageHandle = nullptr;
    decltype(&heif_image_handle_get_width) handleWidth = nullptr;
    decltype(&heif_image_handle_get_height) handleHeight = nullptr;
    decltype(&heif_image_handle_has_alpha_channel) handleHasAlpha = nullptr;
    decltype(&heif_image_handle_release) handleRelease = nullptr;
    decltype(&heif_decode_image) decodeImage = nullptr;
    decltype(&heif_image_get_width) imageWidth = nullptr;
    decltype(&heif_image_get_height) imageHeight = nullptr;
    decltype(&heif_image_get_plane_readonly) planeReadonly = nullptr;
    decltype(&heif_image_release) imageRelease = nullptr;

    // Loaded on the first call, from any thread; null when libheif is missing or lacks one of
    // these functions.
    [[nodiscard]] static const HeifLibrary* get();
};
