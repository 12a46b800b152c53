// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeifLibrary.h"

#include <QLibrary>
#include <QLoggingCategory>

namespace {
Q_LOGGING_CATEGORY(lcHeifLibrary, "quire.formats.heif", QtInfoMsg)

template <typename F> bool resolve(QLibrary& library, F& function, const char* name)
{
    function = reinterpret_cast<F>(library.resolve(name));
    if (!function)
        qCWarning(lcHeifLibrary) << "libheif has no" << name;
    return function != nullptr;
}

HeifLibrary load()
{
    // The major version the headers were built for: another would not match these signatures.
    QLibrary library(QStringLiteral("heif"), LIBHEIF_NUMERIC_VERSION >> 24);
    if (!library.load()) {
        qCWarning(lcHeifLibrary) << "HEIF photos cannot be read:" << library.errorString();
        return {};
    }
    HeifLibrary l;
    const bool all =
        resolve(library, l.checkFiletype, "heif_check_filetype") &&
        resolve(library, l.contextAlloc, "heif_context_alloc") &&
        resolve(library, l.contextFree, "heif_context_free") &&
        resolve(library, l.readFromMemory, "heif_context_read_from_memory_without_copy") &&
        resolve(library, l.primaryImageHandle, "heif_context_get_primary_image_handle") &&
        resolve(library, l.handleWidth, "heif_image_handle_get_width") &&
        resolve(library, l.handleHeight, "heif_image_handle_get_height") &&
        resolve(library, l.handleHasAlpha, "heif_image_handle_has_alpha_channel") &&
        resolve(library, l.handleRelease, "heif_image_handle_release") &&
        resolve(library, l.decodeImage, "heif_decode_image") &&
        resolve(library, l.imageWidth, "heif_image_get_width") &&
        resolve(library, l.imageHeight, "heif_image_get_height") &&
        resolve(library, l.planeReadonly, "heif_image_get_plane_readonly") &&
        resolve(library, l.imageRelease, "heif_image_release");
    // The library stays loaded for the process's life: the QLibrary going leaves it so.
    return all ? l : HeifLibrary{};
}
} // namespace

const HeifLibrary* HeifLibrary::get()
{
    static const HeifLibrary library = load();
    return library.checkFiletype ? &library : nullptr;
}
