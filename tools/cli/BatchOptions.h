// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryStore.h"

#include <QCommandLineParser>
#include <QStringList>

// What every subcommand takes to run well under a batch engine: inputs from a manifest and a
// slice of it, what to do with outputs already there, a status record, a core cap and a time
// limit per input.
struct BatchOptions
{
    QStringList inputs; // those given on the line, then the manifest's, then the slice taken
    bool skipExisting = false;
    bool overwrite = false;
    QString statusPath;
    bool json = false;
    int jobs = 0;        // 0: QUIRE_JOBS or every core
    double timeout = 0;  // seconds per input; 0: none
    bool listed = false; // inputs from --from or --slice: none at all is no error

    static void addTo(QCommandLineParser& parser);
    // An option made before the translations were loaded, its description in the user's language
    // (marked with QT_TRANSLATE_NOOP("BatchOptions", ...)).
    [[nodiscard]] static QCommandLineOption translated(QCommandLineOption option);
    // Reads the options once parsed, and the manifest; false with why when they make no sense.
    bool read(const QCommandLineParser& parser, bool nulSeparated, QString& why);
    // How a named output that is there already is met.
    [[nodiscard]] HistoryStore::Taken taken() const;
    // Whether outputs are named after their inputs and met by name (--skip-existing, --overwrite).
    [[nodiscard]] bool byName() const { return skipExisting || overwrite; }
};
