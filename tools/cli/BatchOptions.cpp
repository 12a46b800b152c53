// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchOptions.h"

#include "Manifest.h"

#include <QCoreApplication>

namespace {
const QCommandLineOption
    kFrom(QStringLiteral("from"),
          QStringLiteral(QT_TRANSLATE_NOOP("BatchOptions",
                                           "Read input paths from FILE, one a line (- for "
                                           "stdin; NUL-separated with --null).")),
          QStringLiteral("FILE"));
const QCommandLineOption
    kSlice(QStringLiteral("slice"),
           QStringLiteral(QT_TRANSLATE_NOOP("BatchOptions",
                                            "Take only every N-th input from the K-th (0 to "
                                            "N-1): one task's share of a job array.")),
           QStringLiteral("K/N"));
const QCommandLineOption kSkip(
    QStringLiteral("skip-existing"),
    QStringLiteral(QT_TRANSLATE_NOOP(
        "BatchOptions", "With -o DIR, leave an input whose output is there already (skipped).")));
const QCommandLineOption
    kOverwrite(QStringLiteral("overwrite"),
               QStringLiteral(QT_TRANSLATE_NOOP("BatchOptions",
                                                "With -o, replace outputs that are there "
                                                "already instead of writing a free variant.")));
const QCommandLineOption kStatus(
    QStringLiteral("status"),
    QStringLiteral(QT_TRANSLATE_NOOP("BatchOptions", "Append a JSON line per input and a summary "
                                                     "line to FILE.")),
    QStringLiteral("FILE"));
const QCommandLineOption kJson(
    QStringLiteral("json"),
    QStringLiteral(QT_TRANSLATE_NOOP("BatchOptions", "Print the status lines on stdout instead of "
                                                     "the written paths.")));
const QCommandLineOption
    kJobs(QStringLiteral("jobs"),
          QStringLiteral(QT_TRANSLATE_NOOP("BatchOptions",
                                           "Use at most N cores: PDF helper processes and "
                                           "recognition threads (default QUIRE_JOBS, or all).")),
          QStringLiteral("N"));
const QCommandLineOption kTimeout(
    QStringLiteral("timeout"),
    QStringLiteral(QT_TRANSLATE_NOOP("BatchOptions", "Give up on an input after SECONDS.")),
    QStringLiteral("SECONDS"));
} // namespace

void BatchOptions::addTo(QCommandLineParser& parser)
{
    for (const QCommandLineOption& option :
         {kFrom, kSlice, kSkip, kOverwrite, kStatus, kJson, kJobs, kTimeout})
        parser.addOption(translated(option));
}

QCommandLineOption BatchOptions::translated(QCommandLineOption option)
{
    option.setDescription(
        QCoreApplication::translate("BatchOptions", option.description().toUtf8().constData()));
    return option;
}

bool BatchOptions::read(const QCommandLineParser& parser, bool nulSeparated, QString& why)
{
    inputs = parser.positionalArguments();
    skipExisting = parser.isSet(kSkip);
    overwrite = parser.isSet(kOverwrite);
    statusPath = parser.value(kStatus);
    json = parser.isSet(kJson);
    listed = parser.isSet(kFrom) || parser.isSet(kSlice);
    if (skipExisting && overwrite) {
        why = QCoreApplication::translate("BatchOptions",
                                          "Give --skip-existing or --overwrite, not both.");
        return false;
    }
    bool ok = true;
    if (parser.isSet(kJobs)) {
        jobs = parser.value(kJobs).toInt(&ok);
        if (!ok || jobs < 1 || jobs > 4096) {
            why = QCoreApplication::translate("BatchOptions",
                                              "--jobs must be a whole number from 1 to 4096.");
            return false;
        }
    }
    if (parser.isSet(kTimeout)) {
        timeout = parser.value(kTimeout).toDouble(&ok);
        if (!ok || !(timeout > 0) || timeout > 1e7) {
            why = QCoreApplication::translate("BatchOptions",
                                              "--timeout must be a number of seconds above 0.");
            return false;
        }
    }
    if (parser.isSet(kFrom)) {
        Manifest manifest;
        QString error;
        if (!manifest.read(parser.value(kFrom), nulSeparated, error)) {
            why = QCoreApplication::translate("BatchOptions",
                                              "The list of inputs %1 could not be read: %2")
                      .arg(parser.value(kFrom), error);
            return false;
        }
        inputs += manifest.paths();
    }
    if (parser.isSet(kSlice)) {
        const QStringList parts = parser.value(kSlice).split(QLatin1Char('/'));
        bool kOk = false;
        bool nOk = false;
        const int k = parts.value(0).toInt(&kOk);
        const int n = parts.value(1).toInt(&nOk);
        if (parts.size() != 2 || !kOk || !nOk || n < 1 || k < 0 || k >= n) {
            why = QCoreApplication::translate(
                "BatchOptions", "--slice must be K/N with K from 0 to N-1, e.g. 3/8.");
            return false;
        }
        inputs = Manifest::slice(inputs, k, n);
    }
    return true;
}

HistoryStore::Taken BatchOptions::taken() const
{
    if (skipExisting)
        return HistoryStore::Taken::Keep;
    return overwrite ? HistoryStore::Taken::Replace : HistoryStore::Taken::NextFree;
}
