// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// ocr: the text of each photo (and of each PDF's pages), to stdout or a .txt each.
#include "CliApp.h"

#include "ocr/TextExtraction.h"
#include "platform/qt/TesseractRecognizer.h"
#include "scan/ScanFilter.h"

#include "common/JobControl.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <thread>

int CliApp::ocr(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  tr("Tesseract languages, e.g. eng or eng+deu."),
                                  QStringLiteral("LANG"), QStringLiteral("eng"));
    const QCommandLineOption into({QStringLiteral("o"), QStringLiteral("output")},
                                  tr("Write each photo's text to DIR/NAME.txt "
                                     "instead of stdout."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption scan(
        QStringLiteral("scan"),
        tr("Photos of paper: find each page, straighten and clean it before reading."),
        QStringLiteral("FILTER"));
    const QCommandLineOption searchable(
        QStringLiteral("searchable"),
        tr("With a PDF: write a copy of it, -o OUT.pdf, whose pages without text get an "
           "invisible layer of the text read from them."));
    const QCommandLineOption force(QStringLiteral("force"),
                                   tr("With --searchable: read the pages that have text too."));
    parser.addOptions({lang, into, scan, searchable, force, protectOption()});
    parser.addPositionalArgument(QStringLiteral("PHOTO"), tr("Photos, or a PDF, to read."),
                                 QStringLiteral("PHOTO...|PDF"));
    if (!parse(parser, scanDefault(args),
               tr("Prints the text recognised in photos, after a line naming each "
                  "photo when there are several, or writes it to files with -o.\n"
                  "The text of a PDF is read from every page drawn at 300 dpi, the pages "
                  "separated by a form feed."),
               1, -1))
        return m_helpShown ? 0 : 2;
    if (parser.isSet(searchable) || parser.isSet(force) || parser.isSet(QStringLiteral("protect")))
        return searchablePdf(parser.value(lang), parser.value(into), parser.isSet(force),
                             parser.isSet(QStringLiteral("protect")));
    if (parser.isSet(scan) && !ScanFilter::fromKey(parser.value(scan))) {
        m_err << tr("The scan filter must be original, grey, document or bw.\n");
        return 2;
    }
    m_ocrScan = parser.value(scan);
    const QString dir = parser.value(into);
    if (dir.isEmpty() && m_null && !m_batch.listed) {
        m_err << tr("--null ends printed paths (or a --from list); ocr prints paths only with -o "
                    "DIR.\n");
        return 2;
    }
    if (dir.isEmpty() && (m_batch.byName() || m_batch.json)) {
        m_err << tr("--skip-existing, --overwrite and --json need -o DIR (the text goes to stdout "
                    "without it).\n");
        return 2;
    }
    if (!makeFolder(dir))
        return 1;
    TesseractRecognizer recognizer(parser.value(lang));
    recognizer.setTimeLimit(m_batch.timeout);
    recognizer.setEngines(QThread::idealThreadCount()); // photos are read one at a time
    recognizer.setAlternatives(false);                  // only the best reading is printed
    // The engines load while the first photo is read in; the first reading waits for them.
    std::jthread loading;
    if (!std::ranges::all_of(m_batch.inputs, [](const QString& p) { return isPdfName(p); }))
        loading = std::jthread([&recognizer] { recognizer.load(); });
    m_job.setTotal(int(m_batch.inputs.size()));
    for (const QString& path : m_batch.inputs) {
        if (m_job.isCancelled())
            break;
        m_job.advance();
        m_status.begin(path);
        const QString output =
            dir.isEmpty() ? QString() : namedOutput(dir, path, QStringLiteral("txt"));
        if (settled(output, path))
            ;
        else if (isPdfName(path))
            readPdf(path, parser.value(lang), output);
        else
            read(recognizer, path, output);
        m_status.end();
    }
    return m_failures ? 1 : 0;
}

void CliApp::read(TextRecognizer& recognizer, const QString& path, const QString& output)
{
    QElapsedTimer clock;
    clock.start();
    QString reason;
    Image photo = loadPhoto(path, reason);
    if (photo.isNull()) {
        fail(path, reason);
        return;
    }
    if (!m_ocrScan.isEmpty()) {
        QList<Image> one{photo};
        scanPages(one, {path}, m_ocrScan);
        photo = one.first();
    }
    const TextExtraction result = TextExtraction::run(recognizer, photo);
    if (result.outcome != TextExtraction::Read) {
        fail(path, result.error.isEmpty() ? kUnreadable : result.error);
        return;
    }
    if (m_batch.timeout > 0 && double(clock.nsecsElapsed()) / 1e9 > m_batch.timeout) {
        fail(path, timeoutReason()); // not stopped, but not given out
        return;
    }
    m_status.setPages(1);
    putText(path, result.text, output);
}

void CliApp::putText(const QString& path, const QString& text, const QString& output)
{
    if (output.isEmpty()) {
        // As head and tail set several files apart.
        if (m_batch.inputs.size() > 1) {
            endProgressLine();
            m_out << (m_textsShown++ > 0 ? "\n==> " : "==> ");
            put(m_out, stdout, shown(path, true));
            m_out << " <==\n";
        }
        m_out << text;
        m_out.flush();
        return;
    }
    const QFileInfo info(output);
    const auto written =
        HistoryStore::writeInto(info.path(), info.completeBaseName(), QStringLiteral("txt"),
                                HistoryStore::writerOf(text.toUtf8()), m_batch.taken());
    if (!written.ok()) {
        if (!skipped(output)) // another process wrote it meanwhile
            fail(path, written.error);
        return;
    }
    printPath(written.path);
}
