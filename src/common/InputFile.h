// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

// Opens what someone named as an input: only a regular file (after following links), opened so
// that a FIFO or device can never block or be touched, and read rather than mapped (a file cut
// short while it is read must not bring the process down). Refusals carry a reason people read.
namespace InputFile {
// Empty when path names a regular file; else "no such file", "is a folder", "is not a regular
// file" or the system's reason.
[[nodiscard]] QString refusal(const QString& path);
// The file open for reading, or null with the reason.
[[nodiscard]] std::unique_ptr<QFile> open(const QString& path, QString* reason = nullptr);
// At most limit bytes from the start of the file (all of it by default); empty with the reason
// when it cannot be read.
[[nodiscard]] QByteArray read(const QString& path, QString* reason = nullptr, qint64 limit = -1);
} // namespace InputFile
