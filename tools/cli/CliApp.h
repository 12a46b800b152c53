// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BatchOptions.h"
#include "StatusLog.h"
#include "common/JobControl.h"
#include "compress/PhotoCompressor.h"
#include "history/HistoryStore.h"
#include "image/Image.h"
#include "pdfshrink/PdfShrinker.h"
#include "toimages/PageRenderer.h"
#include "topdf/PdfWriter.h"

#include <QHash>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

// -o for the subcommands that write one file, and for those that write into a folder.
inline const QCommandLineOption kOutputFile(
    {QStringLiteral("o"), QStringLiteral("output")},
    QStringLiteral(QT_TRANSLATE_NOOP("BatchOptions", "Write to FILE (a free variant if taken).")),
    QStringLiteral("FILE"));
inline const QCommandLineOption
    kOutputDir({QStringLiteral("o"), QStringLiteral("output")},
               QStringLiteral(QT_TRANSLATE_NOOP("BatchOptions",
                                                "Write into DIR instead of the History folder.")),
               QStringLiteral("DIR"));

class PdfOrganizer;
class TextRecognizer;

// Parses a subcommand line, runs the job and reports: paths on stdout, reasons on stderr.
class CliApp
{
    Q_DECLARE_TR_FUNCTIONS(CliApp)

  public:
    // A subcommand's handler, and the subcommands a runner answers by name.
    using Command = int (CliApp::*)(const QStringList& args);
    using Commands = std::map<QString, Command>;
    // Every subcommand, for quire-cli-engine.
    static Commands everyCommand();
    // compress alone, for the runner that loads only the libraries compression needs.
    static Commands compressOnly();
    // compress of photos alone, for the runner that loads neither qpdf nor OpenCV: quire-cli
    // starts it when no input can be a PDF.
    static Commands photosOnly();

    explicit CliApp(Commands commands, FILE* messages = stderr);
    // A runner's whole life: the process set up for the jobs (no display, libraries quiet, Qt's
    // GUI only for commands that draw), then the command on its line among commands.
    static int runProcess(int argc, char* argv[], Commands commands);
    // Exit status: 0 all done, 1 some input failed, 2 bad usage, 130 stopped by SIGINT or
    // SIGTERM (files already whole stay; the one being written is not left behind).
    int run(const QStringList& arguments);
    static constexpr int kInterrupted = 130;

  private:
    int pdf(const QStringList& args);
    int images(const QStringList& args);
    int compress(const QStringList& args);
    int compressPhotos(const QStringList& args);
    int resize(const QStringList& args);
    int ocr(const QStringList& args);
    int listLanguages();
    int scan(const QStringList& args);
    int merge(const QStringList& args);
    int split(const QStringList& args);
    int rotate(const QStringList& args);
    int remove(const QStringList& args);
    int protect(const QStringList& args);
    // rotate, delete and protect: the one input PDF, edited by edit (false with why when it
    // cannot be), written to output, with a password when protect.
    int editPdf(const QString& output, bool protect,
                const std::function<bool(PdfOrganizer&, QString& why)>& edit);
    // Writes an edited PDF to output (the History folder when empty), never over an input.
    HistoryStore::Written writePdf(const PdfOrganizer& pdf, const QString& output,
                                   const QByteArray& password);
    // The option that protects a written PDF with a password.
    static QCommandLineOption protectOption();
    // The password that opens the PDF at path: empty when it needs none, else from
    // QUIRE_PDF_PASSWORD or asked on the terminal (once a run). Why not when no password, or a
    // wrong one, was given; else empty.
    QString readingPassword(const QString& path, QByteArray& password);
    // --protect's password, from QUIRE_PDF_PASSWORD or asked twice on the terminal; false
    // after saying why.
    bool protectingPassword(QByteArray& password);
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
    // Why a photo is refused when its picture does not decode.
    static inline const QString kUnreadable = QStringLiteral("could not be read as an image");

    // Parses args for a subcommand with the batch options, reads the inputs (m_batch.inputs)
    // and opens the status record; false (after printing why) on bad usage or --help. An empty
    // manifest or slice is no error: there is nothing to do.
    bool parse(QCommandLineParser& parser, const QStringList& args, const QString& synopsis,
               int minPositional, int maxPositional);
    // The file in dir named after input's stem, with extension.
    [[nodiscard]] static QString namedOutput(const QString& dir, const QString& input,
                                             const QString& extension);
    // Under --skip-existing or --overwrite, the input that already claimed output in this run
    // (the second would be mistaken for, or replace, the first); else empty, and it is input's.
    QString claim(const QString& output, const QString& input);
    // Whether input needs no work: its output clashes with another input's (a failure) or is
    // there already under --skip-existing (a skip).
    bool settled(const QString& output, const QString& input);
    // Under --skip-existing, whether output is there already; then input is recorded skipped.
    bool skipped(const QString& output);
    // Draws one PDF's pages for images.
    void convert(const QString& pdfPath, PageRenderer::Options options);
    // The PDF of pages (with a text layer in searchableIn's languages unless empty) written to
    // output, or why not (a failure said, unless interrupted).
    HistoryStore::Written makePdf(const QList<Image>& pages, PdfWriter::Options options,
                                  const QString& searchableIn, const QString& output,
                                  JobControl& job);
    // What resize makes of each photo: W or H 0 in step with the other.
    struct Resize
    {
        qint64 width = 0;
        qint64 height = 0;
        bool fit = true;
        QString format;
    };
    void resizeOne(const QString& path, const QString& output, const Resize& size);
    // Reads one photo's text to output (stdout when empty).
    void read(TextRecognizer& recognizer, const QString& path, const QString& output);
    // Reads the text of every page of the PDF at path to output (stdout when empty).
    void readPdf(const QString& path, const QString& language, const QString& output);
    // ocr --searchable: the one input PDF written with a text layer on its pages without text
    // (every page with force) to output, protected when protect.
    int searchablePdf(const QString& language, const QString& output, bool force, bool protect);
    // An input's text to output, or to stdout under a line naming it when there are several.
    void putText(const QString& path, const QString& text, const QString& output);
    [[nodiscard]] static bool isPdfName(const QString& path);
    // output with .extension when it has none (as the file is written); empty stays empty.
    [[nodiscard]] static QString withExtension(const QString& output, const QString& extension);
    // Writes (or settles otherwise) one photo that compress encoded, the index-th; unless
    // verboseUnder is -1, its quality (or that it was under that size already) follows its path.
    void compressed(const QString& path, const QString& output, const QString& clash,
                    const PhotoCompressor::Result& e, size_t index, qint64 verboseUnder);
    // compress for PDFs (named so): each written only when it got smaller; with verbose, the
    // quality and both sizes follow each path.
    void compressPdfs(const QStringList& pdfs, PdfShrinker::Settings settings, const QString& dir,
                      bool verbose);
    // compress, with PDFs handed to pdfs; null in the runner without them, which fails them.
    using PdfCompress = void (CliApp::*)(const QStringList&, PdfShrinker::Settings, const QString&,
                                         bool);
    int compressWith(const QStringList& args, PdfCompress pdfs);
    void shrinkPdf(const QString& path, const PdfShrinker::Settings& settings, const QString& dir,
                   bool verbose);
    // Why an input stopped at --timeout.
    [[nodiscard]] QString timeoutReason() const;
    // The option's value as a number in (0, max]; 0 (after printing why) when it is not one.
    double positiveNumber(const QCommandLineParser& parser, const QCommandLineOption& option,
                          const QString& what, double max);
    // Makes -o's folder with its parents when missing; false (after saying why) when it cannot.
    // Those it made go again at the end if nothing was written into them.
    bool makeFolder(const QString& dir);
    void removeEmptyFolders();
    void fail(const QString& file, const QString& reason);
    // A line about an input that was still done.
    void warn(const QString& file, const QString& reason);
    // Progress on a terminal, redrawn on one line: "page 12/311", "photo 3/8"; unit names what
    // is counted.
    void report(const QString& unit, int done, int total);
    // Clears the progress line before other output takes the terminal.
    void endProgressLine();
    // A file written for the current input: its path, with a note after a tab when given, ended
    // by a newline or with --null a NUL (with --json it goes in the status line instead).
    void printPath(const QString& path, const QString& note = {});
    // A path as printed: its own bytes, or quoted as $'...' when it holds a newline or another
    // control character that would break the one path (or failure) a line.
    [[nodiscard]] static QByteArray shown(const QString& path, bool quoteControls);
    [[nodiscard]] static QString absolutePath(const QString& path);
    // Writes bytes to a stream after what its text stream holds.
    static void put(QTextStream& stream, FILE* file, const QByteArray& bytes);
    // The History folder's store, made on first use.
    HistoryStore& history();
    [[nodiscard]] static qint64 nowSeconds();

    Commands m_commands;
    FILE* m_messages = stderr;
    QTextStream m_out;
    QTextStream m_err;
    bool m_null = false; // --null: paths end with NUL, as find -print0 prints them
    bool m_tty = false;
    bool m_progressShown = false; // a progress line stands unfinished on the terminal
    std::mutex m_progressLock;    // pages may be reported from several threads at once
    QStringList m_madeFolders;    // by makeFolder, deepest first
    int m_textsShown = 0;         // ocr texts printed to stdout so far
    QString m_ocrScan;            // ocr --scan's filter: each photo is scanned before reading
    std::optional<QByteArray> m_pdfPassword; // asked once a run, kept in memory only
    bool m_helpShown = false;
    int m_failures = 0;
    std::unique_ptr<HistoryStore> m_history;
    BatchOptions m_batch;
    StatusLog m_status;
    bool m_batchStarted = false;
    QHash<QString, QString> m_claimed; // output path to the input it is named after
    QString m_unit = QStringLiteral("photo");
    JobControl::Listener m_progress = [this](int done, int total, const QString&) {
        report(m_unit, done, total);
    };
    // Reports progress and is cancelled by the interrupt signals.
    JobControl m_job{m_progress};
};
