// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image/Image.h"

#include <QString>

#include <functional>
#include <vector>

class QObject;
struct Services;

// Saving result images to the photo library, with its permission alert and closing alert.
namespace SaveFlow {
// Several images: asks for access, shows "Saving...", saves one at a time in order, then one
// closing alert. setIndex is the screen's own `index`, only ever called on the GUI thread.
void saveAll(Services& services, QObject* screen, std::vector<Image> images,
             std::function<void(int)> setIndex);
// One image, no overlay; the closing alert after its completion.
void saveOne(Services& services, QObject* screen, const Image& image);
// The alert shown when the library cannot be reached.
void showPermissionAlert(Services& services);
// The alert that ends a run: "Success" when every save worked, else how many of how many
// images could not be saved, with the first reason.
void showClosingAlert(Services& services, int total, int failed, const QString& error = {});
} // namespace SaveFlow
