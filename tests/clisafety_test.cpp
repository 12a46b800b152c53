// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-cli against what happens outside it: other runs at once, links, a full disk.
#include "support/CliProcess.h"
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

TEST(CliSafety, TwoRunsAtOnceKeepBothFiles)
{
    CliProcess base;
    const QString small = base.photo("small.jpg", 200, 100);
    const QString large = base.photo("large.jpg", 300, 500);
    for (int round = 0; round < 12; ++round) {
        // One output name for both PDFs; one History folder (same second) for both compresses.
        const QString out = base.path(QStringLiteral("same%1.pdf").arg(round));
        const QStringList args[] = {{"pdf", small, "-o", out},
                                    {"pdf", large, "-o", out},
                                    {"compress", small},
                                    {"compress", large}};
        CliProcess runs[4];
        QStringList paths[4];
        for (int i = 0; i < 4; ++i) {
            runs[i].documents = base.path("docs");
            runs[i].start(args[i]);
        }
        for (int i = 0; i < 4; ++i) {
            paths[i] = runs[i].finish();
            ASSERT_EQ(runs[i].status, 0) << runs[i].err.toStdString();
            ASSERT_EQ(paths[i].size(), 1);
        }
        EXPECT_NE(paths[0][0], paths[1][0]);
        EXPECT_NE(paths[2][0], paths[3][0]);
        // Each printed path holds what its own run wrote.
        EXPECT_TRUE(fixtures::readFile(paths[0][0]).contains("/Width 200"));
        EXPECT_TRUE(fixtures::readFile(paths[1][0]).contains("/Width 300"));
        EXPECT_EQ(QImage(paths[2][0]).size(), QSize(200, 100));
        EXPECT_EQ(QImage(paths[3][0]).size(), QSize(300, 500));
    }
    EXPECT_EQ(QDir(base.path("docs/History")).entryList(QDir::Files).size(), 24);
}

TEST(CliSafety, NeverWritesThroughALinkAtTheName)
{
    CliProcess cli;
    QFile::link(cli.path("elsewhere.pdf"), cli.path("out.pdf")); // dangling
    const QStringList paths =
        cli.run({"pdf", cli.photo("a.jpg", 100, 100), "-o", cli.path("out.pdf")});
    EXPECT_EQ(cli.status, 0) << cli.err.toStdString();
    EXPECT_EQ(paths.value(0), cli.path("out-2.pdf"));
    EXPECT_FALSE(QFileInfo::exists(cli.path("elsewhere.pdf")));
    EXPECT_TRUE(QFileInfo(cli.path("out.pdf")).isSymLink());
}

TEST(CliSafety, AFullDiskSaysSoAndLeavesNothing)
{
    // A file size limit fails writes as a full disk does, anywhere: resize gives the reason.
    CliProcess limited;
    limited.program = "sh";
    limited.run({"-c", "trap '' XFSZ; ulimit -f 8; exec \"$@\"", "sh", QUIRE_CLI, "resize",
                 limited.photo("pixels.jpg", 900, 900), "--width", "900", "-o",
                 limited.path("r.png")});
    EXPECT_EQ(limited.status, 1);
    EXPECT_TRUE(limited.err.endsWith(": File too large\n")) << limited.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(limited.path("r.png")));

    // A private mount namespace with a tiny tmpfs: the host's disks are never filled.
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty())
        GTEST_SKIP() << "no unshare";
    CliProcess cli;
    const QString full = cli.path("full");
    QDir().mkpath(full);
    QImage noise(700, 700, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 7919 + y * 104729) % 251, (x * y) % 253, (x ^ y) & 255));
    fixtures::writeJpeg(noise, cli.path("big.jpg"), 1, 95);
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=64k quire \"$1\" || exit 77; \"$2\" pdf \"$3\" -o \"$1/out.pdf\";"
        " s=$?; ls -A \"$1\"; exit $s");
    cli.program = unshare;
    const QStringList left =
        cli.run({"-rm", "sh", "-c", script, "sh", full, QUIRE_CLI, cli.path("big.jpg")});
    if (cli.status == 77)
        GTEST_SKIP() << "no private mounts here";
    EXPECT_EQ(cli.status, 1);
    EXPECT_TRUE(cli.err.contains("No space left on device")) << cli.err.toStdString();
    EXPECT_EQ(cli.err.count('\n'), 1) << cli.err.toStdString();
    EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString(); // nothing in the folder
}

namespace {
quint32 crc32(const QByteArray& bytes)
{
    quint32 c = 0xffffffffu;
    for (const char ch : bytes) {
        c ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
    }
    return ~c;
}

QByteArray chunk(const QByteArray& type, const QByteArray& data)
{
    QByteArray out;
    const auto n = quint32(data.size());
    out.append(char(n >> 24)).append(char(n >> 16)).append(char(n >> 8)).append(char(n));
    const quint32 crc = crc32(type + data);
    out += type + data;
    out.append(char(crc >> 24)).append(char(crc >> 16)).append(char(crc >> 8)).append(char(crc));
    return out;
}

// A PNG header claiming side × side RGBA pixels: a decompression bomb's first bytes.
QByteArray hugePngHeader(quint32 side)
{
    QByteArray ihdr;
    for (int i = 0; i < 2; ++i)
        ihdr.append(char(side >> 24))
            .append(char(side >> 16))
            .append(char(side >> 8))
            .append(char(side));
    ihdr.append(char(8)).append(char(6)).append(3, '\0');
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) +
           chunk("IDAT", qCompress(QByteArray(4096, 0)).mid(4)) + chunk("IEND", {});
}
} // namespace

// Every job refuses damaged, hostile and wrong-kind inputs one by one, saying why.
TEST(CliSafety, BadInputsFailAloneWithAReason)
{
    CliProcess cli;
    const auto path = [&](const QString& name) { return cli.path(name); };
    const QString good = cli.photo("good.jpg", 120, 80);
    const QByteArray jpeg = fixtures::readFile(good);
    fixtures::writeFile(path("cut.jpg"), jpeg.left(int(jpeg.size() * 2 / 3)));
    QByteArray png;
    {
        QBuffer b(&png);
        b.open(QIODevice::WriteOnly);
        fixtures::photo(64, 64).save(&b, "PNG");
    }
    png[png.size() / 2] = char(png[png.size() / 2] ^ 0x5a); // header reads, data does not
    fixtures::writeFile(path("damaged.png"), png);
    fixtures::writeFile(path("bomb.png"), hugePngHeader(15000));
    QDir().mkpath(path("folder.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.jpg")).constData(), 0600), 0);
    QFile::link(path("fifo.jpg"), path("link.jpg"));
    ASSERT_TRUE(samplepdfs::write(path("doc.pdf"), 2));

    const std::pair<const char*, const char*> bad[] = {
        {"cut.jpg", "could not be read as an image"},
        {"damaged.png", "could not be read as an image"},
        {"bomb.png", "is too large"},
        {"folder.jpg", "is a folder"},
        {"fifo.jpg", "is not a regular file"},
        {"link.jpg", "is not a regular file"},
        {"missing.jpg", "no such file"},
        {"doc.pdf", "is a PDF, not a photo"}};
    QStringList args = {"pdf", good};
    for (const auto& [name, reason] : bad)
        args << path(name);
    const QStringList written = cli.run(args + QStringList{"-o", path("out.pdf")});
    EXPECT_EQ(cli.status, 1);
    ASSERT_EQ(written.size(), 1);
    const QStringList lines = cli.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), std::size(bad)) << cli.err.toStdString();
    for (size_t i = 0; i < std::size(bad); ++i)
        EXPECT_TRUE(lines[int(i)].startsWith(
            QStringLiteral("quire-cli: %1: %2").arg(path(bad[i].first), bad[i].second)))
            << lines[int(i)].toStdString();
    EXPECT_EQ(fixtures::readFile(written[0]).count("/Subtype /Image"), 1);

    // Compress, resize and text recognition refuse the same inputs one by one.
    EXPECT_EQ(cli.run({"compress", good, path("cut.jpg"), path("damaged.png"), path("fifo.jpg"),
                       "-o", cli.dir.path()})
                  .size(),
              1);
    EXPECT_EQ(cli.status, 1);
    EXPECT_EQ(cli.err.count('\n'), 3) << cli.err.toStdString();
    for (const char* name : {"cut.jpg", "damaged.png", "bomb.png", "link.jpg"}) {
        cli.run({"resize", path(name), "--width", "10", "-o", path("r.png")});
        EXPECT_EQ(cli.status, 1) << name;
        EXPECT_EQ(cli.err.count('\n'), 1) << cli.err.toStdString();
    }
    cli.run({"resize", good, "--width", "9223372036854775807", "-o", path("r.png")});
    EXPECT_EQ(cli.status, 2);
    cli.run({"ocr", path("cut.jpg"), path("damaged.png")});
    EXPECT_EQ(cli.status, 1);
    EXPECT_EQ(cli.err.count('\n'), 2) << cli.err.toStdString();

    // PDFs that give no pages are errors too.
    ASSERT_TRUE(samplepdfs::qpdf("--empty", path("empty.pdf"), {}));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.pdf")).constData(), 0600), 0);
    fixtures::writeFile(path("junk.pdf"), "%PDF-1.4 nothing else");
    const std::pair<const char*, const char*> pdfs[] = {
        {"empty.pdf", "has no pages"}, {"pipe.pdf", "is not a regular file"}, {"junk.pdf", ""}};
    for (const auto& [name, reason] : pdfs) {
        EXPECT_TRUE(cli.run({"images", path(name), "-o", cli.dir.path()}).isEmpty()) << name;
        EXPECT_EQ(cli.status, 1) << name;
        EXPECT_TRUE(cli.err.contains(reason)) << cli.err.toStdString();
    }
}

TEST(CliSafety, NamesThatAreNotUtf8OrHoldNewlinesAreReadAndPrintedSafely)
{
    CliProcess cli;
    // Written under a UTF-8 name, then moved by bytes to a Latin-1 one.
    cli.photo("x.jpg", 40, 30);
    const QByteArray folder = QFile::encodeName(cli.dir.path());
    const QByteArray latin1 = folder + "/caf\xe9.jpg";
    ASSERT_EQ(::rename(QFile::encodeName(cli.path("x.jpg")).constData(), latin1.constData()), 0);
    cli.photo("new\nline.jpg", 30, 40);
    // The shell hands the bytes over as they are; QProcess could not.
    cli.program = "sh";
    const auto shell = [&](const QString& script) {
        cli.start({"-c", script, "sh", cli.dir.path(), QUIRE_CLI});
        EXPECT_TRUE(cli.process.waitForFinished(120000));
        EXPECT_EQ(cli.process.exitCode(), 0) << cli.process.readAllStandardError().toStdString();
        return cli.process.readAllStandardOutput();
    };
    const QByteArray out = shell("cd \"$1\" && \"$2\" compress --null -o nul caf*.jpg new*.jpg && "
                                 "\"$2\" compress -o nl new*");
    EXPECT_TRUE(
        out.startsWith(folder + "/nul/caf\xe9.jpg" + '\0' + folder + "/nul/new\nline.jpg" + '\0'))
        << out.toStdString();
    EXPECT_TRUE(out.endsWith(QByteArray(1, '\0') + "$'" + folder + "/nl/new\\nline.jpg'\n"))
        << out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(cli.path("nul/new\nline.jpg")));
    // Folders keep their bytes too: -o, and the documents area.
    const QList<QByteArray> written =
        shell("cd \"$1\" && \"$2\" compress -o \"$(printf 'out\\351')\" new*.jpg && "
              "QUIRE_DOCUMENTS=\"$1/$(printf 'docs\\351')\" \"$2\" compress new*.jpg")
            .split('\n');
    ASSERT_GE(written.size(), 2);
    EXPECT_EQ(written[0], "$'" + folder + "/out\\xe9/new\\nline.jpg'");
    EXPECT_TRUE(written[1].startsWith(folder + "/docs\xe9/History/")) << written[1].toStdString();
    // Qt cannot name these files to remove them with the folder.
    ::unlink(latin1.constData());
    ::unlink((folder + "/nul/caf\xe9.jpg").constData());
    EXPECT_EQ(::unlink((folder + "/out\xe9/new\nline.jpg").constData()), 0);
    ::rmdir((folder + "/out\xe9").constData());
    EXPECT_EQ(::unlink(written[1].constData()), 0);
    ::rmdir((folder + "/docs\xe9/History").constData());
    ::rmdir((folder + "/docs\xe9").constData());
}
