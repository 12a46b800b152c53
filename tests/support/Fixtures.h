// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;

namespace fixtures {
// A photo-like image with a gradient and a marker in its top-left corner, to tell orientation.
QImage photo(int width, int height, QColor tint = QColor(40, 120, 200));
// Saves image as JPEG at path; with orientation 2..8 an EXIF block says how to turn it upright.
bool writeJpeg(const QImage& image, const QString& path, int orientation = 1, int quality = 90);
// Black lines of text on white, large enough to read: 1000 pixels wide, at least minHeight high.
QImage textPage(const QStringList& lines, int minHeight = 0);
// Sets painter to write in black DejaVu Sans of pixelSize, the face the text tests print in.
void useTextFont(QPainter& painter, int pixelSize);
// Whether the marker photo() draws is in the top-left corner: the picture is upright.
bool cornerIsRed(const QImage& image);
bool writeFile(const QString& path, const QByteArray& bytes);
// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString& path);
// Waits, spinning the event loop, until done() or the timeout.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 10000);

// Sets an environment variable, seen by child processes too, for the life of this object.
class ScopedEnv
{
  public:
    ScopedEnv(const char* name, const QByteArray& value)
        : m_name(name), m_was(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_was)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* m_name;
    bool m_was;
    QByteArray m_old;
};
} // namespace fixtures
