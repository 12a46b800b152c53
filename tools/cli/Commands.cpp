// The subcommands: each reads its inputs in the order given and hands them to the job code.
#include "CliApp.h"

#include "common/LocalPath.h"
#include "common/MemoryBudget.h"
#include "compress/CompressWorker.h"
#include "compress/PhotoCompressor.h"
#include "compress/SizeTarget.h"
#include "image/Image.h"
#include "ocr/TextExtraction.h"
#include "platform/qt/FolderPhotoLibrary.h"
#include "platform/qt/TesseractRecognizer.h"
#include "resize/ImageResizer.h"
#include "scan/ScanFilter.h"
#include "topdf/BufferReuse.h"
#include "topdf/PageSetup.h"
#include "topdf/PdfWriter.h"
#include "topdf/TextLayers.h"

#include "common/JobControl.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtConcurrent>

#include <cmath>

namespace {
const QString kUnreadable = QStringLiteral("could not be read as an image");
} // namespace

// A cut-off JPEG is refused as the picker refuses it (its decoder would fill the rest with grey),
// and a damaged PNG before Qt's reader prints libpng's complaint; with wholly, anything else must
// decode in full too (a PDF takes its pages as they are checked).
Image CliApp::loadPhoto(const QString& path, QString& reason, bool wholly)
{
    Image image = Image::fromFile(path, 1.0, &reason);
    if (image.sourceFormat() == "pdf") { // Qt would read its first page as a picture
        reason = QStringLiteral("is a PDF, not a photo (quire-cli images turns its pages into "
                                "images)");
        return {};
    }
    if (!image.isNull() &&
        (wholly || image.sourceFormat() == "jpeg" || image.sourceFormat() == "png") &&
        !FolderPhotoLibrary::decodes(image)) {
        reason = kUnreadable;
        return {};
    }
    return image;
}

// Writes to -o's exact file when given (its free variant if taken), else T.ext in History.
static HistoryStore::Written writeOutput(HistoryStore& history, qint64 stem, const QString& output,
                                         const QString& extension, const HistoryStore::Writer& w)
{
    if (output.isEmpty())
        return history.write(stem, extension, w);
    const QFileInfo info(output);
    // A missing folder is made, parents included (errors come from the write).
    (void)LocalPath::makeFolders(info.absolutePath());
    const QString ext = info.suffix().isEmpty() ? extension : info.suffix();
    return HistoryStore::writeInto(info.absolutePath(), info.completeBaseName(), ext, w);
}

int CliApp::pdf(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(kOutputFile);
    const QCommandLineOption pageSize(
        QStringLiteral("page-size"),
        QStringLiteral("photo (each page the photo's size, the default), a4 or letter."),
        QStringLiteral("SIZE"), QStringLiteral("photo"));
    const QCommandLineOption margin(
        QStringLiteral("margin"),
        QStringLiteral("Space around the photo on a4 or letter paper (default 10mm)."),
        QStringLiteral("LENGTH"), QStringLiteral("10mm"));
    const QCommandLineOption searchable(
        QStringLiteral("searchable"),
        QStringLiteral("Add an invisible layer of the recognised text, to search and copy."));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Languages of the text, e.g. eng or eng+deu."),
                                  QStringLiteral("LANG"), QStringLiteral("eng"));
    const QCommandLineOption scan(
        QStringLiteral("scan"),
        QStringLiteral("Photos of paper: find each page, straighten and clean it first, through "
                       "FILTER (original, grey, document (the default) or bw)."),
        QStringLiteral("FILTER"));
    parser.addOptions({pageSize, margin, searchable, lang, scan});
    parser.addPositionalArgument(QStringLiteral("PHOTO"), QStringLiteral("Photos, one page each."),
                                 QStringLiteral("PHOTO..."));
    if (!parse(parser, scanDefault(args), QStringLiteral("Makes one PDF with a page per photo."), 1,
               -1))
        return m_helpShown ? 0 : 2;
    if (parser.isSet(scan) && !ScanFilter::fromKey(parser.value(scan))) {
        m_err << "The scan filter must be original, grey, document or bw.\n";
        return 2;
    }
    PdfWriter::Options options;
    const auto paper = PageSetup::fromKey(parser.value(pageSize));
    const auto marginMm = PageSetup::parseMarginMm(parser.value(margin));
    if (!paper) {
        m_err << "The page size must be photo, a4 or letter.\n";
        return 2;
    }
    options.setup = {*paper, marginMm.value_or(-1)};
    if (!marginMm || !options.setup.marginFits()) {
        m_err << "The margin must be a length such as 10mm, 0.5in or 0, and leave room for the "
                 "photo.\n";
        return 2;
    }
    const QString output = parser.value(kOutputFile);
    if (const QString suffix = QFileInfo(output).suffix();
        !suffix.isEmpty() && suffix.compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        m_err << "A PDF is written as .pdf, not " << suffix << ".\n";
        return 2;
    }
    QList<Image> pages;
    QStringList paths;
    for (const QString& path : parser.positionalArguments()) {
        QString reason;
        Image image = loadPhoto(path, reason, true);
        if (image.isNull()) {
            fail(path, reason);
            continue;
        }
        pages.append(image);
        paths.append(path);
    }
    if (pages.isEmpty())
        return 1;
    if (parser.isSet(scan) && !scanPages(pages, paths, parser.value(scan)))
        return 2;
    if (m_job.isCancelled())
        return 1;
    const QTemporaryDir layers;
    if (parser.isSet(searchable)) {
        m_job.setTotal(2 * int(pages.size())); // each page read, then written
        const TextLayers::Result read =
            TextLayers::make(pages, parser.value(lang), layers.path(), m_job);
        if (read.cancelled)
            return 1; // nothing was written
        if (!read.ok()) {
            fail(QStringLiteral("--searchable"), read.error);
            return 1;
        }
        options.overlays = read.files;
    }
    const auto written = writeOutput(history(), nowSeconds(), output, QStringLiteral("pdf"),
                                     PdfWriter::writer(pages, &m_job, options));
    if (m_job.isCancelled())
        return 1; // nothing was written
    if (!written.ok()) {
        fail(output.isEmpty() ? history().historyPath() : output, written.error);
        return 1;
    }
    printPath(written.path);
    return m_failures ? 1 : 0;
}

int CliApp::compress(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(kOutputDir);
    const QCommandLineOption quality(QStringLiteral("quality"),
                                     QStringLiteral("JPEG quality from 0 to 1 (default 0.25)."),
                                     QStringLiteral("Q"), QStringLiteral("0.25"));
    const QCommandLineOption maxSize(
        QStringLiteral("max-size"),
        QStringLiteral("Highest quality whose file fits SIZE bytes (500k, 2m), scaled down when "
                       "none does."),
        QStringLiteral("SIZE"));
    const QCommandLineOption keepLocation(QStringLiteral("keep-location"),
                                          QStringLiteral("Keep the photos' GPS location."));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Print the quality used beside each path."));
    parser.addOptions({quality, maxSize, keepLocation, verbose});
    parser.addPositionalArgument(QStringLiteral("PHOTO"), QStringLiteral("Photos to compress."),
                                 QStringLiteral("PHOTO..."));
    if (!parse(parser, args, QStringLiteral("Re-encodes photos as JPEG."), 1, -1))
        return m_helpShown ? 0 : 2;
    PhotoCompressor::Settings settings;
    const double q = positiveNumber(parser, quality, QStringLiteral("quality"), 1);
    if (q == 0)
        return 2;
    settings.quality = std::max(1, int(std::lround(q * 100)));
    settings.keepLocation = parser.isSet(keepLocation);
    if (parser.isSet(maxSize)) {
        settings.maxBytes = SizeTarget::parse(parser.value(maxSize));
        if (settings.maxBytes <= 0) {
            m_err << "The size must be a whole number of bytes, or with k or m (500k, 2m).\n";
            return 2;
        }
    }
    const QString dir = parser.value(kOutputDir);
    if (!makeFolder(dir))
        return 1;
    const QStringList inputs = parser.positionalArguments();
    // Photos are encoded on every core; results are taken, written and printed in input order.
    const auto encode = [settings](const QString& path) {
        QString reason;
        const Image photo = loadPhoto(path, reason);
        if (photo.isNull()) {
            PhotoCompressor::Result failed;
            failed.error = reason;
            return failed;
        }
        const MemoryBudget::Share share(MemoryBudget::costOf(photo.pixelSize()));
        return CompressWorker::compress(photo, settings);
    };
    const BufferReuse reuse; // each photo's bitmap lands in the memory of the one before
    QFuture<PhotoCompressor::Result> encoded;
    if (inputs.size() > 1)
        encoded = QtConcurrent::mapped(inputs, encode);
    m_job.setTotal(int(inputs.size()));
    for (int i = 0; i < inputs.size(); ++i) {
        const QString& path = inputs[i];
        const PhotoCompressor::Result e = inputs.size() > 1 ? encoded.resultAt(i) : encode(path);
        if (m_job.isCancelled()) {
            encoded.cancel();
            encoded.waitForFinished();
            break;
        }
        m_job.advance();
        if (!e.ok()) {
            fail(path, e.error);
            continue;
        }
        const auto written =
            dir.isEmpty()
                ? history().write(nowSeconds() + i, QStringLiteral("jpg"),
                                  HistoryStore::writerOf(e.bytes))
                : HistoryStore::writeInto(dir, QFileInfo(path).completeBaseName(),
                                          QStringLiteral("jpg"), HistoryStore::writerOf(e.bytes));
        if (!written.ok()) {
            fail(path, written.error);
            continue;
        }
        if (e.warnings > 0)
            warn(path, QStringLiteral("written, but its JPEG data is damaged (libjpeg: %1 %2)")
                           .arg(e.warnings)
                           .arg(e.warnings == 1 ? "warning" : "warnings"));
        if (!parser.isSet(verbose)) {
            printPath(written.path);
            continue;
        }
        QString note = QStringLiteral("quality %1").arg(e.quality / 100.0, 0, 'f', 2);
        if (e.scaled)
            note += QStringLiteral(", scaled to %1 x %2").arg(e.size.width()).arg(e.size.height());
        printPath(written.path, note);
    }
    return m_failures ? 1 : 0;
}

int CliApp::resize(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption(kOutputFile);
    const QCommandLineOption width(QStringLiteral("width"),
                                   QStringLiteral("Width in pixels (default: in proportion)."),
                                   QStringLiteral("W"));
    const QCommandLineOption height(QStringLiteral("height"),
                                    QStringLiteral("Height in pixels (default: in proportion)."),
                                    QStringLiteral("H"));
    const QCommandLineOption stretch(
        QStringLiteral("stretch"), QStringLiteral("Stretch to exactly W x H instead of fitting."));
    parser.addOptions({width, height, stretch});
    parser.addPositionalArgument(QStringLiteral("PHOTO"), QStringLiteral("The photo to resize."));
    if (!parse(parser, args,
               QStringLiteral("Resizes a photo to a PNG image (JPEG when -o ends in .jpg)."), 1, 1))
        return m_helpShown ? 0 : 2;
    bool wOk = true;
    bool hOk = true;
    qint64 w = parser.isSet(width) ? parser.value(width).toLongLong(&wOk) : 0;
    qint64 h = parser.isSet(height) ? parser.value(height).toLongLong(&hOk) : 0;
    // Range-checked before any arithmetic: a 64-bit width must not overflow a later cast.
    const auto bad = [](const QCommandLineParser& p, const QCommandLineOption& o, bool ok,
                        qint64 v) {
        return p.isSet(o) && (!ok || v <= 0 || v > ImageResizer::kMaxSide);
    };
    if ((!parser.isSet(width) && !parser.isSet(height)) || bad(parser, width, wOk, w) ||
        bad(parser, height, hOk, h)) {
        m_err << "Give --width or --height (or both) as whole numbers from 1 to "
              << ImageResizer::kMaxSide << ".\n";
        return 2;
    }
    const QString format = ImageResizer::formatForName(parser.value(kOutputFile));
    if (format.isEmpty()) {
        m_err << "Resized images are written as .png or .jpg, not "
              << QFileInfo(parser.value(kOutputFile)).suffix() << ".\n";
        return 2;
    }
    const QString path = parser.positionalArguments().first();
    QString reason;
    const Image photo = loadPhoto(path, reason);
    if (photo.isNull()) {
        fail(path, reason);
        return 1;
    }
    const QSizeF original = photo.size();
    // The other side in step, as the app's fields keep it; a side under a pixel is one pixel:
    // 40 wide from 256 x 1 is 40 x 1.
    if (!parser.isSet(height))
        h = std::max<qint64>(1, qint64(original.height() * (double(w) / original.width())));
    if (!parser.isSet(width))
        w = std::max<qint64>(1, qint64(original.width() * (double(h) / original.height())));
    const QSizeF drawing =
        ImageResizer::drawingSize(original, double(w), double(h), !parser.isSet(stretch));
    if (ImageResizer::check(drawing) != ImageResizer::Refusal::None) {
        fail(path, QStringLiteral("no image can be made at %1 x %2").arg(w).arg(h));
        return 1;
    }
    const QImage result = ImageResizer::draw(photo, drawing);
    if (m_job.isCancelled())
        return 1;
    if (result.isNull()) {
        fail(path, kUnreadable);
        return 1;
    }
    const auto written =
        writeOutput(history(), nowSeconds(), parser.value(kOutputFile), QStringLiteral("png"),
                    [&result, &format](QIODevice& out, QString& e) {
                        return format == QLatin1String("png")
                                   ? ImageResizer::writePng(result, out, e)
                                   : ImageResizer::writeJpeg(result, out, e);
                    });
    if (!written.ok()) {
        fail(path, written.error);
        return 1;
    }
    printPath(written.path);
    return 0;
}

int CliApp::ocr(const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Tesseract languages, e.g. eng or eng+deu."),
                                  QStringLiteral("LANG"), QStringLiteral("eng"));
    const QCommandLineOption scan(
        QStringLiteral("scan"),
        QStringLiteral("Photos of paper: find each page, straighten and clean it before reading."),
        QStringLiteral("FILTER"));
    parser.addOptions({lang, scan});
    parser.addPositionalArgument(QStringLiteral("PHOTO"), QStringLiteral("Photos to read."),
                                 QStringLiteral("PHOTO..."));
    if (!parse(parser, scanDefault(args), QStringLiteral("Prints the text recognised in photos."),
               1, -1))
        return m_helpShown ? 0 : 2;
    if (parser.isSet(scan) && !ScanFilter::fromKey(parser.value(scan))) {
        m_err << "The scan filter must be original, grey, document or bw.\n";
        return 2;
    }
    TesseractRecognizer recognizer(parser.value(lang));
    const QStringList inputs = parser.positionalArguments();
    m_job.setTotal(int(inputs.size()));
    for (int i = 0; i < inputs.size() && !m_job.isCancelled(); ++i) {
        const QString& path = inputs[i];
        m_job.advance();
        QString reason;
        Image photo = loadPhoto(path, reason);
        if (photo.isNull()) {
            fail(path, reason);
            continue;
        }
        if (parser.isSet(scan)) {
            QList<Image> one{photo};
            scanPages(one, {path}, parser.value(scan));
            photo = one.first();
        }
        const TextExtraction result = TextExtraction::run(recognizer, photo);
        if (result.outcome != TextExtraction::Read) {
            fail(path, result.error.isEmpty() ? kUnreadable : result.error);
            continue;
        }
        m_out << result.text;
        m_out.flush();
    }
    return m_failures ? 1 : 0;
}
