#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <functional>

namespace fixtures {
// A photo-like image with a gradient and a marker in its top-left corner, to tell orientation.
QImage photo(int width, int height, QColor tint = QColor(40, 120, 200));
// Saves image as JPEG at path; with orientation 2..8 an EXIF block says how to turn it upright.
bool writeJpeg(const QImage& image, const QString& path, int orientation = 1, int quality = 90);
bool writeFile(const QString& path, const QByteArray& bytes);
// Waits, spinning the event loop, until done() or the timeout.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 10000);
} // namespace fixtures
