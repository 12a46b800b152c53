// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>
#include <QString>

#include <functional>
#include <memory>

// A file written whole before it has a name, then linked under the first name in its folder
// that nothing holds, so no other writer (in this process or another) is ever overwritten and
// nothing is written through a link found at the name.
class NewFile
{
  public:
    explicit NewFile(QString folder);
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Makes the unnamed file; false, with the system's reason, when the folder cannot take one.
    bool open();
    [[nodiscard]] QIODevice& device();
    // Puts the content on disk and names it nameAt(1), or nameAt(2), ... up to nameAt(attempts)
    // when taken. The full path claimed, or empty with the reason in errorString() (and nothing
    // left behind).
    QString commit(const std::function<QString(int attempt)>& nameAt, int attempts = 99999);
    // Puts the content on disk and renames it to name, replacing what is there in one step (a
    // link at the name is replaced, not followed). The full path, or empty as commit().
    QString replace(const QString& name);
    // Why opening, a write or the commit failed; empty while none has.
    [[nodiscard]] QString errorString() const;

    // "name.ext", then "name-2.ext", "name-3.ext", ...
    [[nodiscard]] static std::function<QString(int)> numbered(const QString& baseName,
                                                              const QString& extension);
    // The system's reason for errno, as people read it ("No space left on device").
    [[nodiscard]] static QString reason(int error);

  private:
    bool fail(int error);
    bool link(const QByteArray& target);
    bool settle(); // content flushed and synced, or false after fail()
    void discard();

    QString m_folder;
    class Device;
    std::unique_ptr<Device> m_device;
    int m_fd = -1;
    QByteArray m_tempPath; // only when the file system cannot make unnamed files
    QString m_error;
};
