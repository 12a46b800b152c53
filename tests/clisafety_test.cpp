// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// quire-cli against what happens outside it: other runs at once, links, a full disk.
#include "support/Fixtures.h"
#include "support/SamplePdfs.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

namespace {
struct CliRun
{
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QStringList paths;
    QString err;
    int status = -1;
};

class CliSafety : public ::testing::Test
{
  protected:
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
    QString photo(const QString& name, int w, int h)
    {
        fixtures::writeJpeg(fixtures::photo(w, h), path(name));
        return path(name);
    }
    CliRun start(const QString& program, const QStringList& args)
    {
        CliRun r;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("QUIRE_DOCUMENTS", path("docs"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        r.process->setProcessEnvironment(env);
        r.process->start(program, args);
        return r;
    }
    static void finish(CliRun& r)
    {
        r.process->waitForFinished(120000);
        r.status = r.process->exitCode();
        r.paths =
            QString::fromUtf8(r.process->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        r.err = QString::fromUtf8(r.process->readAllStandardError());
    }
    CliRun cli(const QStringList& args)
    {
        CliRun r = start(QStringLiteral(QUIRE_CLI), args);
        finish(r);
        return r;
    }
};
} // namespace

TEST_F(CliSafety, TwoRunsAtOnceKeepBothFiles)
{
    const QString small = photo("small.jpg", 200, 100);
    const QString large = photo("large.jpg", 300, 500);
    for (int round = 0; round < 12; ++round) {
        // One output name for both PDFs; one History folder (same second) for both compresses.
        const QString out = path(QStringLiteral("same%1.pdf").arg(round));
        CliRun runs[] = {start(QUIRE_CLI, {"pdf", small, "-o", out}),
                         start(QUIRE_CLI, {"pdf", large, "-o", out}),
                         start(QUIRE_CLI, {"compress", small}),
                         start(QUIRE_CLI, {"compress", large})};
        for (CliRun& r : runs) {
            finish(r);
            ASSERT_EQ(r.status, 0) << r.err.toStdString();
            ASSERT_EQ(r.paths.size(), 1);
        }
        EXPECT_NE(runs[0].paths[0], runs[1].paths[0]);
        EXPECT_NE(runs[2].paths[0], runs[3].paths[0]);
        // Each printed path holds what its own run wrote.
        for (int i : {0, 1}) {
            EXPECT_TRUE(fixtures::readFile(runs[i].paths[0])
                            .contains(i == 0 ? "/Width 200" : "/Width 300"));
        }
        EXPECT_EQ(QImage(runs[2].paths[0]).size(), QSize(200, 100));
        EXPECT_EQ(QImage(runs[3].paths[0]).size(), QSize(300, 500));
    }
    EXPECT_EQ(QDir(path("docs/History")).entryList(QDir::Files).size(), 24);
}

TEST_F(CliSafety, NeverWritesThroughALinkAtTheName)
{
    QFile::link(path("elsewhere.pdf"), path("out.pdf")); // dangling
    const CliRun r = cli({"pdf", photo("a.jpg", 100, 100), "-o", path("out.pdf")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.paths.value(0), path("out-2.pdf"));
    EXPECT_FALSE(QFileInfo::exists(path("elsewhere.pdf")));
    EXPECT_TRUE(QFileInfo(path("out.pdf")).isSymLink());
}

TEST_F(CliSafety, AFullDiskSaysSoAndLeavesNothing)
{
    // A file size limit fails writes as a full disk does, anywhere: resize gives the reason.
    const QString pixels = photo("pixels.jpg", 900, 900);
    CliRun limited = start("sh", {"-c", "trap '' XFSZ; ulimit -f 8; exec \"$@\"", "sh", QUIRE_CLI,
                                  "resize", pixels, "--width", "900", "-o", path("r.png")});
    finish(limited);
    EXPECT_EQ(limited.status, 1);
    EXPECT_TRUE(limited.err.endsWith(": File too large\n")) << limited.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("r.png")));

    // A private mount namespace with a tiny tmpfs: the host's disks are never filled.
    const QString unshare = QStandardPaths::findExecutable("unshare");
    if (unshare.isEmpty())
        GTEST_SKIP() << "no unshare";
    const QString full = path("full");
    QDir().mkpath(full);
    QImage noise(700, 700, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 7919 + y * 104729) % 251, (x * y) % 253, (x ^ y) & 255));
    fixtures::writeJpeg(noise, path("big.jpg"), 1, 95);
    const QString script = QStringLiteral(
        "mount -t tmpfs -o size=64k quire \"$1\" || exit 77; \"$2\" pdf \"$3\" -o \"$1/out.pdf\";"
        " s=$?; ls -A \"$1\"; exit $s");
    CliRun run =
        start(unshare, {"-rm", "sh", "-c", script, "sh", full, QUIRE_CLI, path("big.jpg")});
    finish(run);
    if (run.status == 77)
        GTEST_SKIP() << "no private mounts here";
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("No space left on device")) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    EXPECT_TRUE(run.paths.isEmpty()) << run.paths.join(' ').toStdString(); // nothing in the folder
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
    const quint32 n = quint32(data.size());
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

TEST_F(CliSafety, BadInputsFailAloneWithAReason)
{
    const QString good = photo("good.jpg", 120, 80);
    QFile jpeg(good);
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    fixtures::writeFile(path("cut.jpg"), jpeg.readAll().left(int(jpeg.size() * 2 / 3)));
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

    const QStringList bad = {"cut.jpg",  "damaged.png", "bomb.png",    "folder.jpg",
                             "fifo.jpg", "link.jpg",    "missing.jpg", "doc.pdf"};
    const QStringList reasons = {"could not be read as an image",
                                 "could not be read as an image",
                                 "is too large",
                                 "is a folder",
                                 "is not a regular file",
                                 "is not a regular file",
                                 "no such file",
                                 "is a PDF, not a photo"};
    QStringList args = {"pdf", good};
    for (const QString& name : bad)
        args << path(name);
    const CliRun r = cli(args + QStringList{"-o", path("out.pdf")});
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(r.paths.size(), 1);
    const QStringList lines = r.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), bad.size()) << r.err.toStdString();
    for (int i = 0; i < bad.size(); ++i)
        EXPECT_TRUE(
            lines[i].startsWith(QStringLiteral("quire-cli: %1: %2").arg(path(bad[i]), reasons[i])))
            << lines[i].toStdString();
    EXPECT_EQ(fixtures::readFile(r.paths[0]).count("/Subtype /Image"), 1);

    // Compress, resize and text recognition refuse the same inputs one by one.
    const CliRun c = cli({"compress", good, path("cut.jpg"), path("damaged.png"), path("fifo.jpg"),
                          "-o", dir.path()});
    EXPECT_EQ(c.status, 1);
    EXPECT_EQ(c.paths.size(), 1);
    EXPECT_EQ(c.err.count('\n'), 3) << c.err.toStdString();
    for (const char* name : {"cut.jpg", "damaged.png", "bomb.png", "link.jpg"}) {
        const CliRun s = cli({"resize", path(name), "--width", "10", "-o", path("r.png")});
        EXPECT_EQ(s.status, 1) << name;
        EXPECT_EQ(s.err.count('\n'), 1) << s.err.toStdString();
    }
    const CliRun huge =
        cli({"resize", good, "--width", "9223372036854775807", "-o", path("r.png")});
    EXPECT_EQ(huge.status, 2);
    const CliRun o = cli({"ocr", path("cut.jpg"), path("damaged.png")});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err.count('\n'), 2) << o.err.toStdString();
}

TEST_F(CliSafety, NamesThatAreNotUtf8OrHoldNewlinesAreReadAndPrintedSafely)
{
    // Written under a UTF-8 name, then moved by bytes to a Latin-1 one.
    photo("x.jpg", 40, 30);
    const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xe9.jpg";
    ASSERT_EQ(::rename(QFile::encodeName(path("x.jpg")).constData(), latin1.constData()), 0);
    photo("new\nline.jpg", 30, 40);
    // The shell hands the bytes over as they are; QProcess could not.
    const QString script = QStringLiteral("cd \"$1\" && \"$2\" compress --null -o nul caf*.jpg "
                                          "new*.jpg && \"$2\" compress -o nl new*");
    CliRun r = start("sh", {"-c", script, "sh", dir.path(), QUIRE_CLI});
    ASSERT_TRUE(r.process->waitForFinished(120000));
    EXPECT_EQ(r.process->exitCode(), 0) << r.process->readAllStandardError().toStdString();
    const QByteArray out = r.process->readAllStandardOutput();
    const QByteArray folder = QFile::encodeName(dir.path());
    EXPECT_TRUE(
        out.startsWith(folder + "/nul/caf\xe9.jpg" + '\0' + folder + "/nul/new\nline.jpg" + '\0'))
        << out.toStdString();
    EXPECT_TRUE(out.endsWith(QByteArray(1, '\0') + "$'" + folder + "/nl/new\\nline.jpg'\n"))
        << out.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path("nul/new\nline.jpg")));
    // Folders keep their bytes too: -o, and the documents area.
    const QString folders =
        QStringLiteral("cd \"$1\" && \"$2\" compress -o \"$(printf 'out\\351')\" new*.jpg && "
                       "QUIRE_DOCUMENTS=\"$1/$(printf 'docs\\351')\" \"$2\" compress new*.jpg");
    r = start("sh", {"-c", folders, "sh", dir.path(), QUIRE_CLI});
    ASSERT_TRUE(r.process->waitForFinished(120000));
    EXPECT_EQ(r.process->exitCode(), 0) << r.process->readAllStandardError().toStdString();
    const QList<QByteArray> written = r.process->readAllStandardOutput().split('\n');
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

TEST_F(CliSafety, PdfsThatGiveNoPagesAreErrors)
{
    {
        QPDF empty;
        empty.emptyPDF();
        const QByteArray name = QFile::encodeName(path("empty.pdf")); // outlives the writer
        QPDFWriter w(empty, name.constData());
        w.write();
    }
    CliRun r = cli({"images", path("empty.pdf"), "-o", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("has no pages")) << r.err.toStdString();
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.pdf")).constData(), 0600), 0);
    r = cli({"images", path("pipe.pdf"), "-o", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("is not a regular file")) << r.err.toStdString();
    fixtures::writeFile(path("junk.pdf"), "%PDF-1.4 nothing else");
    r = cli({"images", path("junk.pdf"), "-o", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.paths.isEmpty());
}
