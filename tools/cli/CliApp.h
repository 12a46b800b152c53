#pragma once

#include "common/JobControl.h"
#include "history/HistoryStore.h"
#include "image/Image.h"

#include <QCommandLineParser>
#include <QStringList>
#include <QTextStream>

#include <memory>

// -o for the subcommands that write one file, and for those that write into a folder.
inline const QCommandLineOption
    kOutputFile({QStringLiteral("o"), QStringLiteral("output")},
                QStringLiteral("Write to FILE (a free variant if taken)."), QStringLiteral("FILE"));
inline const QCommandLineOption
    kOutputDir({QStringLiteral("o"), QStringLiteral("output")},
               QStringLiteral("Write into DIR instead of the History folder."),
               QStringLiteral("DIR"));

// Parses a subcommand line, runs the job and reports: paths on stdout, reasons on stderr.
class CliApp
{
  public:
    explicit CliApp(FILE* messages = stderr);
    // Exit status: 0 all done, 1 some input failed, 2 bad usage, 130 stopped by SIGINT or
    // SIGTERM (files already whole stay; the one being written is not left behind).
    int run(const QStringList& arguments);
    static constexpr int kInterrupted = 130;

  private:
    int pdf(const QStringList& args);
    int images(const QStringList& args);
    int compress(const QStringList& args);
    int resize(const QStringList& args);
    int ocr(const QStringList& args);
    int listLanguages();
    int scan(const QStringList& args);
    // Prints each photo's page outline and the detector's confidence; 1 when one failed.
    int printCorners(const QStringList& photos);
    // Each photo replaced by its page, found, flattened and cleaned through filterKey; false
    // (after saying why) when the key names no filter.
    bool scanPages(QList<Image>& photos, const QStringList& paths, const QString& filterKey);
    // --scan alone means --scan=document (the parser would take the next word as its value).
    static QStringList scanDefault(const QStringList& args);

    // Loads a photo upright by its EXIF orientation; a null Image with the reason when it
    // cannot. With wholly, the photo must decode in full, not only its header.
    static Image loadPhoto(const QString& path, QString& reason, bool wholly = false);

    // Parses args for a subcommand; false (after printing why) on bad usage or --help.
    bool parse(QCommandLineParser& parser, const QStringList& args, const QString& synopsis,
               int minPositional, int maxPositional);
    // The option's value as a number in (0, max]; 0 (after printing why) when it is not one.
    double positiveNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                          const QString& what, double max);
    // Makes -o's folder with its parents when missing; false (after saying why) when it cannot.
    bool makeFolder(const QString& dir);
    void fail(const QString& file, const QString& reason);
    // A line about an input that was still done.
    void warn(const QString& file, const QString& reason);
    // Progress on a terminal: "page 12/311", "photo 3/8"; unit names what is counted.
    void report(const QString& unit, int done, int total);
    // The path, with a note after a tab when given, ended by a newline or with --null a NUL.
    void printPath(const QString& path, const QString& note = {});
    // A path as printed: its own bytes, or quoted as $'...' when it holds a newline or another
    // control character that would break the one path (or failure) a line.
    [[nodiscard]] static QByteArray shown(const QString& path, bool quoteControls);
    // Writes bytes to a stream after what its text stream holds.
    static void put(QTextStream& stream, FILE* file, const QByteArray& bytes);
    // The History folder's store, made on first use.
    HistoryStore& history();
    [[nodiscard]] static qint64 nowSeconds();

    FILE* m_messages = stderr;
    QTextStream m_out;
    QTextStream m_err;
    bool m_null = false; // --null: paths end with NUL, as find -print0 prints them
    bool m_tty = false;
    bool m_helpShown = false;
    int m_failures = 0;
    std::unique_ptr<HistoryStore> m_history;
    QString m_unit = QStringLiteral("photo");
    // Reports progress and is cancelled by the interrupt signals.
    JobControl m_job{[this](int done, int total, const QString&) { report(m_unit, done, total); }};
};
