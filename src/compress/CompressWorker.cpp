// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompressWorker.h"

#include "common/HelperProcess.h"
#include "common/LocalPath.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>

#include <mutex>
#include <thread>
#include <vector>

namespace {
Q_LOGGING_CATEGORY(lcCompressWorker, "quire.compressworker")

constexpr auto kHelperName = "quire-compress-worker";

// A request is one line, "quality maxBytes keepLocation path|bytes length", then length bytes:
// the photo's file name, or its encoded bytes when it has no file. An answer is one line,
// "ok quality width height scaled warnings kept suffix length" or "error length", then length
// bytes: the file (a JPEG, or the photo's own when it was kept), or the reason. A helper answers
// requests one after another until its input ends.
QByteArray request(const Image& photo, const PhotoCompressor::Settings& settings)
{
    const bool byPath = !photo.sourcePath().isEmpty();
    const QByteArray payload = byPath ? LocalPath::encode(photo.sourcePath()) : photo.sourceBytes();
    return QByteArray::number(settings.quality) + ' ' + QByteArray::number(settings.maxBytes) +
           ' ' + (settings.keepLocation ? "1" : "0") + (byPath ? " path " : " bytes ") +
           QByteArray::number(payload.size()) + '\n' + payload;
}

bool readAnswer(const QByteArray& answer, PhotoCompressor::Result& result)
{
    const qsizetype end = answer.indexOf('\n');
    const QList<QByteArray> words = answer.left(end).split(' ');
    if (end < 0 || words.isEmpty())
        return false;
    const qsizetype length = words.last().toLongLong();
    const QByteArray payload = answer.mid(end + 1);
    if (payload.size() != length)
        return false;
    if (words[0] == "error" && words.size() == 2) {
        result.error = QString::fromUtf8(payload);
        return true;
    }
    if (words[0] != "ok" || words.size() != 9 || payload.isEmpty() ||
        (words[7] != "jpg" && words[7] != "png"))
        return false;
    result.quality = words[1].toInt();
    result.size = QSize(words[2].toInt(), words[3].toInt());
    result.scaled = words[4] == "1";
    result.warnings = words[5].toInt();
    result.kept = words[6] == "1";
    result.suffix = QString::fromLatin1(words[7]);
    result.bytes = payload;
    return true;
}

bool readExactly(FILE* in, QByteArray& bytes, qsizetype length)
{
    bytes.resize(length);
    return length == 0 || std::fread(bytes.data(), 1, size_t(length), in) == size_t(length);
}

// The helpers waiting for a photo, kept while a session is open.
struct Idle
{
    std::mutex mutex;
    std::vector<std::unique_ptr<HelperProcess>> helpers;
    int sessions = 0;
};

Idle& idle()
{
    static Idle state;
    return state;
}

// A waiting helper that still runs, else none.
std::unique_ptr<HelperProcess> takeIdle()
{
    std::vector<std::unique_ptr<HelperProcess>> ended; // waited for outside the lock
    std::scoped_lock lock(idle().mutex);
    while (!idle().helpers.empty()) {
        std::unique_ptr<HelperProcess> helper = std::move(idle().helpers.back());
        idle().helpers.pop_back();
        if (!helper->hasEnded())
            return helper;
        ended.push_back(std::move(helper));
    }
    return nullptr;
}

// The answer of a helper, or false when it ended without one (having crashed on the photo).
bool answerOf(HelperProcess& helper, const QByteArray& asked, PhotoCompressor::Result& result)
{
    QByteArray answer;
    if (helper.ask(asked, answer) && readAnswer(answer, result))
        return true;
    result = {};
    qCWarning(lcCompressWorker) << "helper ended without an answer:" << helper.finish();
    return false;
}

// A helper that answered: kept for the next photo while a session is open, when the photo was
// whole. One that met damaged data is let go, and must then end cleanly for its answer to count:
// a library that wrote past its buffers may fail only when freeing them.
bool settle(std::unique_ptr<HelperProcess> helper, const PhotoCompressor::Result& result)
{
    if (result.ok() && result.warnings == 0) {
        std::scoped_lock lock(idle().mutex);
        if (idle().sessions > 0) {
            idle().helpers.push_back(std::move(helper));
            return true;
        }
    }
    const QString ending = helper->finish();
    if (!ending.isEmpty())
        qCWarning(lcCompressWorker) << "helper ended after its answer:" << ending;
    return ending.isEmpty();
}
} // namespace

CompressWorker::Session::Session(int ready)
{
    std::vector<std::unique_ptr<HelperProcess>> started;
    // quire-cli starts one before it hands over to its runner: it is ready sooner. With no
    // photo for it, it is let go (and waited for aside).
    if (auto handed = HelperProcess::handedOver() ? HelperProcess::adopt(program()) : nullptr) {
        if (ready > 0) {
            started.push_back(std::move(handed));
            --ready;
        } else {
            handed->release();
            std::thread([gone = std::move(handed)] {}).detach();
        }
    }
    for (int k = 0; k < ready; ++k)
        if (auto helper = HelperProcess::start(program()))
            started.push_back(std::move(helper));
    std::scoped_lock lock(idle().mutex);
    ++idle().sessions;
    for (auto& helper : started)
        idle().helpers.push_back(std::move(helper));
}

CompressWorker::Session::~Session()
{
    std::vector<std::unique_ptr<HelperProcess>> ending;
    {
        std::scoped_lock lock(idle().mutex);
        if (--idle().sessions == 0)
            ending.swap(idle().helpers);
    }
    if (ending.empty())
        return;
    // Told to leave, all at once; waited for aside: giving back a photo's memory takes a helper
    // a few milliseconds, which the job's end need not wait for.
    for (auto& helper : ending)
        helper->release();
    std::thread([ending = std::move(ending)] {}).detach();
}

PhotoCompressor::Result CompressWorker::compress(const Image& photo,
                                                 const PhotoCompressor::Settings& settings)
{
    if (!photo.hasSource())
        return PhotoCompressor::compress(photo, settings);
    const QByteArray asked = request(photo, settings);
    PhotoCompressor::Result result;
    const auto stopped = [&result] {
        result = {};
        result.error = QStringLiteral("the JPEG library stopped on it");
        return result;
    };
    // A kept helper may have gone since its last answer: then a fresh one is asked before the
    // photo is taken for one that crashes it.
    auto kept = takeIdle();
    if (kept && answerOf(*kept, asked, result))
        return settle(std::move(kept), result) ? result : stopped();
    // The helper's own complaints (and any crash report) reach the same stderr as ours.
    auto helper = HelperProcess::start(program());
    if (!helper) {
        qCWarning(lcCompressWorker) << "cannot start" << program();
        // Here only a photo no helper has stopped on yet.
        return kept ? stopped() : PhotoCompressor::compress(photo, settings);
    }
    if (answerOf(*helper, asked, result))
        return settle(std::move(helper), result) ? result : stopped();
    return stopped();
}

int CompressWorker::serve(FILE* in, FILE* out, const std::function<void()>& answered)
{
    for (;;) {
        char line[256] = {};
        if (!std::fgets(line, sizeof line, in))
            return 0;
        if (const int failed = answer(line, in, out); failed != 0)
            return failed;
        if (answered)
            answered();
    }
}

int CompressWorker::answer(const char* line, FILE* in, FILE* out)
{
    const QList<QByteArray> words = QByteArray(line).trimmed().split(' ');
    if (words.size() != 5)
        return 2;
    PhotoCompressor::Settings settings;
    settings.quality = words[0].toInt();
    settings.maxBytes = words[1].toLongLong();
    settings.keepLocation = words[2] == "1";
    QByteArray payload;
    if (!readExactly(in, payload, words[4].toLongLong()))
        return 2;
    const Image photo = words[3] == "path" ? Image::fromFile(LocalPath::decode(payload), 1.0,
                                                             nullptr, Image::Decoding::RowByRow)
                                           : Image::fromData(payload);
    PhotoCompressor::Result result;
    if (photo.isNull()) // gone or changed since it was chosen
        result.error = QStringLiteral("could not be read");
    else
        result = PhotoCompressor::compress(photo, settings);
    const QByteArray body = result.ok() ? result.bytes : result.error.toUtf8();
    const QByteArray head =
        result.ok() ? "ok " + QByteArray::number(result.quality) + ' ' +
                          QByteArray::number(result.size.width()) + ' ' +
                          QByteArray::number(result.size.height()) +
                          (result.scaled ? " 1 " : " 0 ") + QByteArray::number(result.warnings) +
                          (result.kept ? " 1 " : " 0 ") + result.suffix.toLatin1() + ' '
                    : QByteArray("error ");
    const QByteArray heading = head + QByteArray::number(body.size()) + '\n';
    std::fwrite(heading.constData(), 1, size_t(heading.size()), out);
    std::fwrite(body.constData(), 1, size_t(body.size()), out);
    // A short write leaves the stream's error set, which a later flush need not report.
    return std::fflush(out) == 0 && std::ferror(out) == 0 ? 0 : 1;
}

QString CompressWorker::program()
{
    QString set = qEnvironmentVariable("QUIRE_COMPRESS_WORKER");
    if (!set.isEmpty())
        return set;
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {dir + '/' + kHelperName, dir + QStringLiteral("/../libexec/quire/") + kHelperName}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.canonicalFilePath();
    }
#ifdef QUIRE_COMPRESS_WORKER_BUILT
    return QStringLiteral(QUIRE_COMPRESS_WORKER_BUILT); // running from the build tree
#else
    return dir + '/' + kHelperName;
#endif
}
