// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/Fixtures.h"

#include <QProcess>
#include <QTemporaryDir>

// The real quire-cli (QUIRE_CLI, which the tests that include this are given), run with its
// History folder in a temporary documents area and in English whatever the user reads.
struct CliProcess
{
    QTemporaryDir dir;
    QProcessEnvironment env = [] {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
        return e;
    }();
    QProcess process;
    // What runs: a shell may wrap quire-cli to set limits or pass names as raw bytes.
    QString program = QStringLiteral(QUIRE_CLI);
    // Runs that must share one History folder name the same documents area.
    QString documents;
    int status = -1;
    QString out;
    QString err;

    [[nodiscard]] QString path(const QString& name) const { return dir.filePath(name); }
    void start(const QStringList& args, const QByteArray& input = {})
    {
        env.insert(QStringLiteral("QUIRE_DOCUMENTS"),
                   documents.isEmpty() ? path(QStringLiteral("docs")) : documents);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(program, args);
        process.waitForStarted();
        process.write(input);
        process.closeWriteChannel();
    }
    // Waits for the run; its output lines.
    QStringList finish()
    {
        process.waitForFinished(120000);
        status = process.exitCode();
        out = QString::fromUtf8(process.readAllStandardOutput());
        err = QString::fromUtf8(process.readAllStandardError());
        return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QStringList run(const QStringList& args, const QByteArray& input = {})
    {
        start(args, input);
        return finish();
    }
    QString photo(const QString& name, int w = 400, int h = 300, int orientation = 1)
    {
        fixtures::writeJpeg(fixtures::photo(w, h), path(name), orientation);
        return path(name);
    }
};
