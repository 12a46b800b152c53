// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CameraPhoto.h"
#include "support/CliProcess.h"
#include "support/Fixtures.h"
#include "support/PhotoFormats.h"
#include "support/SamplePdfs.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPageSize>
#include <QPdfDocument>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>

using Cli = CliProcess;

// The processes whose parent is pid, from /proc.
static QList<pid_t> children(pid_t pid)
{
    QList<pid_t> found;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        const QByteArray stat = fixtures::readFile("/proc/" + entry + "/stat");
        // pid (name) state ppid ...: the name may hold spaces, so count from its closing ')'.
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toInt() == pid)
            found << pid_t(entry.toInt());
    }
    return found;
}

// Still running, or stopped: neither gone nor a zombie waiting to be reaped.
static bool alive(pid_t pid)
{
    const QByteArray stat = fixtures::readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    return !stat.isEmpty() && stat.mid(stat.lastIndexOf(')') + 2, 1) != "Z";
}

TEST(Cli, CopiesKeepTheCaptureDateAndCompressionFitsASizeAndDropsTheLocationUnlessKept)
{
    Cli cli;
    const QString photo = cli.path("cam.jpg");
    ASSERT_TRUE(camera::write(
        photo, camera::jpeg(fixtures::photo(640, 480),
                            {QDateTime(QDate(2022, 1, 2), QTime(3, 4, 5)), 1, true})));
    QStringList lines =
        cli.run({"compress", photo, "-o", cli.dir.path(), "--max-size", "8k", "--verbose"});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    ASSERT_EQ(lines.size(), 1);
    const QStringList fields = lines[0].split('\t');
    ASSERT_EQ(fields.size(), 2);
    EXPECT_TRUE(QRegularExpression("^quality (0\\.\\d\\d|1\\.00)$").match(fields[1]).hasMatch())
        << fields[1].toStdString();
    EXPECT_LE(QFileInfo(fields[0]).size(), 8000);
    EXPECT_EQ(camera::read(fields[0]).taken, "2022:01:02 03:04:05");
    EXPECT_EQ(camera::read(fields[0]).gpsTags, 0);

    lines = cli.run({"compress", photo, "-o", cli.dir.path(), "--keep-location"});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_FALSE(lines[0].contains('\t'));
    EXPECT_GT(camera::read(lines[0]).gpsTags, 0);

    // A resized copy carries the capture date in its PNG text.
    lines = cli.run({"resize", photo, "--width", "100", "-o", cli.path("small.png")});
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(QImage(lines[0]).text("Creation Time"), "2022-01-02T03:04:05");
}

TEST(Cli, ResizeKeepsProportionsUnlessStretched)
{
    Cli cli;
    const QString photo = cli.photo("p.jpg", 400, 300);
    auto paths = cli.run({"resize", photo, "--width", "200", "-o", cli.path("r.png")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_EQ(QImage(paths.value(0)).size(), QSize(200, 150));
    paths = cli.run(
        {"resize", photo, "--width", "50", "--height", "50", "--stretch", "-o", cli.path("s.png")});
    ASSERT_EQ(cli.status, 0);
    EXPECT_EQ(QImage(paths.value(0)).size(), QSize(50, 50));
    // Sideways photos are read upright.
    paths = cli.run(
        {"resize", cli.photo("side.jpg", 400, 300, 6), "--width", "150", "-o", cli.path("u.png")});
    EXPECT_EQ(QImage(paths.value(0)).size(), QSize(150, 200));
    // A height alone sets the width in step; a .jpg name gets JPEG bytes, an unknown one nothing.
    paths = cli.run({"resize", photo, "--height", "60", "-o", cli.path("h.jpg")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    QImageReader jpeg(paths.value(0));
    EXPECT_EQ(jpeg.format(), "jpeg");
    EXPECT_EQ(jpeg.size(), QSize(80, 60));
    EXPECT_TRUE(cli.run({"resize", photo, "--width", "60", "-o", cli.path("r.gif")}).isEmpty());
    EXPECT_EQ(cli.status, 2);
    EXPECT_FALSE(QFileInfo::exists(cli.path("r.gif")));
    // Its help names the command, not the program's path.
    EXPECT_TRUE(cli.run({"resize", "--help"}).value(0).startsWith("Usage: quire-cli resize"));
}

TEST(Cli, ImagesWritesEveryPage)
{
    Cli cli;
    ASSERT_TRUE(
        samplepdfs::write(cli.path("doc.pdf"), 2, QPageSize(QPageSize::A6).size(QPageSize::Point)));
    // The output folder is made, parents included.
    const QStringList paths =
        cli.run({"images", cli.path("doc.pdf"), "-o", cli.path("new/pages"), "--scale", "1"});
    EXPECT_EQ(cli.status, 0) << cli.err.toStdString();
    // Named after the PDF and numbered by page.
    EXPECT_EQ(paths, QStringList(
                         {cli.path("new/pages/doc-0001.png"), cli.path("new/pages/doc-0002.png")}));
    EXPECT_FALSE(QImage(paths[1]).isNull());
    // A run that writes nothing leaves no folder of its making.
    cli.run({"images", cli.path("missing.pdf"), "-o", cli.path("none/pages")});
    EXPECT_EQ(cli.status, 1);
    EXPECT_FALSE(QFileInfo::exists(cli.path("none")));

    // A chosen page at a chosen resolution; A6 is 297.6 x 419.5 points.
    const QStringList second = cli.run(
        {"images", cli.path("doc.pdf"), "-o", cli.path("pages"), "--dpi", "144", "--pages", "2"});
    EXPECT_EQ(cli.status, 0) << cli.err.toStdString();
    ASSERT_EQ(second.size(), 1);
    EXPECT_NEAR(QImage(second[0]).width(), 595, 1);
    EXPECT_NEAR(QImage(second[0]).height(), 839, 1);
    // Bad ranges are bad usage; a page past the end is a failure naming the page count.
    for (const char* bad : {"0", "5-2", "x"}) {
        cli.run({"images", cli.path("doc.pdf"), "--pages", bad});
        EXPECT_EQ(cli.status, 2) << bad;
        EXPECT_TRUE(cli.err.contains(bad)) << cli.err.toStdString();
    }
    cli.run({"images", cli.path("doc.pdf"), "--pages", "1,8"});
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains("The PDF has 2 pages; there is no page 8."))
        << cli.err.toStdString();
}

TEST(Cli, PdfFitsPhotosOnTheChosenPaper)
{
    Cli cli;
    const QString wide = cli.photo("wide.jpg", 400, 300);
    const QStringList paths =
        cli.run({"pdf", wide, "--page-size", "a4", "--margin", "0", "-o", cli.path("a4.pdf")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_TRUE(fixtures::readFile(paths.value(0))
                    .contains("/MediaBox [ 0 0 841.8898 595.2756 ]")); // landscape A4
}

TEST(Cli, ImagesOfAPdfThatHangsOrCrashesTheLibraryEndInBoundedTimeNamingTheFailedPages)
{
    Cli cli;
    samplepdfs::write(cli.path("doc.pdf"), 4, QSizeF(200, 200));
    QDir().mkpath(cli.path("pages"));
    cli.env.insert("QUIRE_PAGE_TIMEOUT", "5");
    // Poppler draws page 3 after PDFium crashes on it, but fails on page 2 as well.
    cli.env.insert("QUIRE_PDF_WORKER_FAULT", "hang:2,crash:3,fail:poppler-2");
    const QStringList paths =
        cli.run({"images", cli.path("doc.pdf"), "-o", cli.path("pages"), "--scale", "1"});
    EXPECT_EQ(cli.status, 1);
    EXPECT_EQ(paths.size(), 3);
    const QString prefix = "quire-cli: " + cli.path("doc.pdf") + ": ";
    EXPECT_EQ(cli.err, prefix +
                           "page 2: took too long to draw, and with Poppler could not be drawn\n" +
                           prefix + "1 of 4 pages could not be converted\n");

    cli.env.insert("QUIRE_PDF_WORKER_FAULT", "hang:open");
    EXPECT_TRUE(cli.run({"images", cli.path("doc.pdf"), "-o", cli.path("pages")}).isEmpty());
    EXPECT_EQ(cli.status, 1);
    EXPECT_EQ(cli.err, prefix + "could not be opened: took too long to open\n");
}

TEST(Cli, OcrPrintsTheText)
{
    Cli cli;
    const QImage page = fixtures::textPage({"Hello Quire", "second line"});
    page.save(cli.path("text.png"));
    const QStringList lines = cli.run({"ocr", cli.path("text.png")});
    EXPECT_EQ(cli.status, 0) << cli.err.toStdString();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "Hello Quire");
    cli.run({"ocr", cli.path("text.png"), "--lang", "eng+zzz"});
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains("tesseract-ocr-zzz")) << cli.err.toStdString();
    EXPECT_TRUE(cli.run({"--list-langs"}).contains("eng\tEnglish"));
}

TEST(Cli, BadUsageExitsTwo)
{
    Cli cli;
    const QString photo = cli.photo("q.jpg");
    // --null only where paths are printed.
    for (const QStringList& bad :
         {QStringList{},
          {"frobnicate"},
          {"pdf"},
          {"resize", photo},
          {"compress", photo, "--quality", "7"},
          {"compress", photo, "--max-size", "half"},
          {"ocr", "--null", photo},
          {"pdf", photo, "--page-size", "a5"},
          {"pdf", photo, "--page-size", "letter", "--margin", "5 furlongs"}}) {
        cli.run(bad);
        EXPECT_EQ(cli.status, 2) << bad.join(' ').toStdString();
    }
    cli.run({"pdf", cli.photo("a.jpg"), "-o", cli.path("a.jpg")}); // not made into a PDF
    EXPECT_EQ(cli.status, 2);
    EXPECT_EQ(fixtures::readFile(cli.path("a.jpg")).left(2), "\xff\xd8");
    EXPECT_FALSE(QFileInfo::exists(cli.path("a-2.jpg")));
    cli.run({"pdf", "--help"});
    EXPECT_EQ(cli.status, 0);
    EXPECT_TRUE(cli.out.contains("PHOTO"));
    EXPECT_TRUE(QRegularExpression("^quire-cli \\d+\\.\\d+")
                    .match(cli.run({"--version"}).value(0))
                    .hasMatch())
        << cli.out.toStdString();
    EXPECT_EQ(cli.status, 0);
}

TEST(Cli, SpeaksTheFirstOfTheUsersLanguagesThatItHas)
{
    Cli cli;
    cli.env.insert("LANGUAGE", "de_AT:fr");
    cli.run({"--help"});
    EXPECT_TRUE(cli.out.startsWith("Aufruf: quire-cli <Befehl> [Optionen]"))
        << cli.out.toStdString();
    // A command's own options, and those shared by every command, made before the catalogue.
    cli.run({"compress", "--help"});
    EXPECT_TRUE(cli.out.contains("Kodiert Fotos neu als JPEG und macht PDFs kleiner."))
        << cli.out.toStdString();
    EXPECT_TRUE(cli.out.contains("In DIR statt in den Verlaufsordner schreiben."));
    EXPECT_TRUE(cli.out.contains("Eine Eingabe nach SECONDS Sekunden aufgeben."));
    // English before German on the list: English, the language it is written in.
    cli.env.insert("LANGUAGE", "en_GB:de");
    cli.run({"--help"});
    EXPECT_TRUE(cli.out.startsWith("Usage: quire-cli <command> [options]"))
        << cli.out.toStdString();
}

TEST(Cli, HeicTiffAndWebpPhotosGoThroughEveryJobUpright)
{
    Cli cli;
    // Portraits stored sideways, the file saying "turn 90° clockwise".
    const QStringList photos =
        photofixtures::writeSidewaysInEachFormat(cli.path("photos"), fixtures::photo(300, 400));
    ASSERT_EQ(photos.size(), 3);

    const QStringList pdf =
        cli.run(QStringList{"pdf"} + photos + QStringList{"-o", cli.path("out/p.pdf")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    QPdfDocument doc;
    ASSERT_EQ(doc.load(pdf.value(0)), QPdfDocument::Error::None);
    ASSERT_EQ(doc.pageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(doc.pagePointSize(i).toSize(), QSize(300, 400)) << i;
        EXPECT_TRUE(fixtures::cornerIsRed(doc.render(i, QSize(150, 200)))) << i;
    }

    const QStringList compressed =
        cli.run(QStringList{"compress"} + photos + QStringList{"-o", cli.path("small")});
    ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
    ASSERT_EQ(compressed.size(), 3);
    for (const QString& path : photos) {
        // Without -o, files go to the History folder.
        const QString resized = cli.run({"resize", path, "--width", "150"}).value(0);
        ASSERT_EQ(cli.status, 0) << cli.err.toStdString();
        EXPECT_EQ(QFileInfo(resized).absolutePath(), cli.path("docs/History"));
        for (const QString& out : {resized, compressed[photos.indexOf(path)]}) {
            const QImage img(out);
            EXPECT_EQ(img.size(), out == resized ? QSize(150, 200) : QSize(300, 400))
                << out.toStdString();
            EXPECT_TRUE(fixtures::cornerIsRed(img)) << out.toStdString();
        }
    }

    // Sideways text reads only when the photo is turned upright first.
    const QStringList pages = photofixtures::writeSidewaysInEachFormat(
        cli.path("text"), fixtures::textPage({"Hello Quire"}));
    const QStringList text = cli.run(QStringList{"ocr"} + pages);
    EXPECT_EQ(cli.status, 0) << cli.err.toStdString();
    // Each photo's text under a line naming it.
    EXPECT_EQ(text, QStringList({"==> " + pages[0] + " <==", "Hello Quire",
                                 "==> " + pages[1] + " <==", "Hello Quire",
                                 "==> " + pages[2] + " <==", "Hello Quire"}));
}

TEST(Cli, AnInterruptLeavesOnlyWholeFilesAndExits130)
{
    Cli cli;
    const QString pdf = cli.path("long.pdf");
    ASSERT_TRUE(samplepdfs::write(pdf, 300));
    const QString pages = cli.path("pages");
    ASSERT_TRUE(QDir().mkpath(pages));
    cli.start({"images", pdf, "-o", pages});
    QProcess& p = cli.process;
    ASSERT_TRUE(fixtures::waitFor(
        [&] { return !QDir(pages).entryList({"*.png"}, QDir::Files).isEmpty(); }, 60000));
    // One helper is stopped, as a debugger or a job control would leave it.
    const QList<pid_t> helpers = children(pid_t(p.processId()));
    ASSERT_FALSE(helpers.isEmpty());
    ::kill(helpers.first(), SIGSTOP);
    ::kill(pid_t(p.processId()), SIGINT);
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 130);
    // No helper outlives it by more than a second.
    EXPECT_TRUE(fixtures::waitFor(
        [&] { return std::ranges::none_of(helpers, [](pid_t pid) { return alive(pid); }); }, 1000));

    // Every file left is a whole page, and it is the list printed; nothing half-written remains.
    const QStringList files = QDir(pages).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    EXPECT_GT(files.size(), 0);
    EXPECT_LT(files.size(), 300);
    for (const QString& name : files) {
        EXPECT_TRUE(name.endsWith(".png")) << name.toStdString();
        EXPECT_EQ(QImageReader(pages + '/' + name).read().size(), QSize(1224, 1584));
    }
    const QStringList printed =
        QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(printed.size(), files.size());
}

TEST(Cli, APhotoThatBreaksTheJpegLibraryCostsThatPhotoOnly)
{
    Cli cli;
    const QString good = cli.photo("good.jpg");
    const QString good2 = cli.photo("good2.jpg", 300, 200);
    const QString lumaOnly = cli.path("luma.jpg");
    const QString odd = cli.path("odd.jpg");
    ASSERT_TRUE(camera::write(lumaOnly, camera::lumaOnly(fixtures::photo(330, 250))));
    ASSERT_TRUE(camera::write(odd, camera::fractionalSampling(fixtures::photo(330, 250))));

    // A file whose chroma scans never came goes through pixels; one no decoder opens is named.
    QStringList paths = cli.run({"compress", good, lumaOnly, odd, good2, "-o", cli.path("a")});
    EXPECT_EQ(cli.status, 1);
    ASSERT_EQ(paths.size(), 3) << cli.err.toStdString();
    EXPECT_EQ(QImageReader(paths[1]).size(), QSize(330, 250));
    EXPECT_EQ(cli.err, QStringLiteral("quire-cli: %1: could not be read as an image\n").arg(odd));
    cli.run({"pdf", odd, good, "-o", cli.path("odd.pdf")});
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.startsWith(QStringLiteral("quire-cli: %1: ").arg(odd)));
    EXPECT_EQ(fixtures::readFile(cli.path("odd.pdf")).count("/Subtype /Image"), 1);

    // A helper that crashes on one photo: the others are still written. The helper is kept
    // from photo to photo, and crashes on one after answering others; with ONCE set it ends
    // after each answer, as a kept helper may, and the next photo goes to a fresh one.
    const QString worker = QFileInfo(QUIRE_CLI).absolutePath() + "/quire-compress-worker";
    const QString crashing = cli.path("crashing.sh");
    fixtures::writeFile(crashing,
                        "#!/bin/sh\nwhile IFS= read -r line; do\n"
                        "t=$(mktemp); head -c \"${line##* }\" >\"$t\"\n"
                        "if grep -q luma \"$t\"; then rm \"$t\"; kill -SEGV $$; fi\n"
                        "{ printf '%s\\n' \"$line\"; cat \"$t\"; } | \"$REAL\" || exit 1\n"
                        "rm \"$t\"; [ -z \"$ONCE\" ] || exit 0\ndone\n");
    QFile::setPermissions(crashing, QFile::ReadOwner | QFile::ExeOwner);
    cli.env.insert("QUIRE_COMPRESS_WORKER", crashing);
    cli.env.insert("REAL", worker);
    for (const QString once : {"", "1"}) {
        cli.env.insert("ONCE", once);
        paths = cli.run({"compress", good, good2, lumaOnly, good, "-o", cli.path("b" + once)});
        EXPECT_EQ(cli.status, 1);
        ASSERT_EQ(paths.size(), 3) << cli.err.toStdString();
        EXPECT_TRUE(paths[1].endsWith("/good2.jpg"));
        EXPECT_EQ(cli.err,
                  QStringLiteral("quire-cli: %1: the JPEG library stopped on it\n").arg(lumaOnly))
            << cli.err.toStdString();
    }

    // One photo goes to the helper quire-cli started before handing over: no second start. It
    // has malloc's huge pages asked for, beside the user's own tunables.
    const QString counting = cli.path("counting.sh");
    fixtures::writeFile(counting,
                        "#!/bin/sh\necho \"$GLIBC_TUNABLES\" >>\"$STARTS\"\nexec \"$REAL\"\n");
    QFile::setPermissions(counting, QFile::ReadOwner | QFile::ExeOwner);
    cli.env.insert("QUIRE_COMPRESS_WORKER", counting);
    cli.env.insert("STARTS", cli.path("starts"));
    cli.env.insert("GLIBC_TUNABLES", "glibc.malloc.tcache_count=8");
    EXPECT_EQ(cli.run({"compress", good, "-o", cli.path("c")}).size(), 1) << cli.err.toStdString();
    EXPECT_EQ(fixtures::readFile(cli.path("starts")),
              QByteArray("glibc.malloc.tcache_count=8:glibc.malloc.hugetlb=1\n"));
}

TEST(Cli, SanitizerReportsReachStderr)
{
    Cli cli;
    cli.env.insert("QUIRE_CLI_SANITIZER_CHECK", "1");
    cli.run({"--help"});
    if (cli.status == 0)
        GTEST_SKIP() << "not a sanitizer build";
    EXPECT_TRUE(cli.err.contains("runtime error: signed integer overflow"))
        << cli.err.toStdString();
}
