#pragma once

#include "platform/Image.h"

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
} // namespace SaveFlow
