// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DctRecompressor.h"

#include "DctRecompressorImpl.h"
#include "PhotoMetadata.h"
#include "ScanCut.h"

#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <utility>

#ifndef LIBJPEG_TURBO_VERSION_NUMBER
#define LIBJPEG_TURBO_VERSION_NUMBER 0 // another libjpeg
#endif

Q_LOGGING_CATEGORY(lcDctRecompressor, "quire.compress")

namespace {
// The two fast ways of encodeOnce (over the source's own blocks, and while reading a one-scan
// file) hand the encoder block rows through its memory manager's access_virt_barray, and the
// second learns which rows the reader has finished from the reader's: how libjpeg-turbo 2.0 to
// 3.0 call it, not its documented interface. Built against any other libjpeg, encodeOnce takes
// the documented way (read every coefficient, requantize into arrays of its own, write).
constexpr bool kFastPaths =
    LIBJPEG_TURBO_VERSION_NUMBER >= 2000000 && LIBJPEG_TURBO_VERSION_NUMBER < 3001000;
} // namespace

int DctRecompressor::Impl::idleCores()
{
    const QThreadPool* pool = QThreadPool::globalInstance();
    return std::max(pool->maxThreadCount() - pool->activeThreadCount(), 0);
}

bool DctRecompressor::Impl::readHeader()
{
    if (!openJpegReader(src, errors, source, created, true))
        return false;
    if (setjmp(errors.jump))
        return false;
    if (!jpeg_read_icc_profile(&src, &icc, &iccSize))
        icc = nullptr;
    for (jpeg_saved_marker_ptr m = src.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1 && m->data_length > 6 &&
            QByteArrayView(m->data, 6) == QByteArrayView("Exif\0\0", 6)) {
            exif = QByteArray(reinterpret_cast<const char*>(m->data), int(m->data_length));
            break;
        }
    return true;
}

bool DctRecompressor::Impl::readCoefficients()
{
    QFuture<bool> secondRead;
    if (second)
        secondRead = QtConcurrent::run([reader = second.get()] { return reader->read(); });
    const bool own = readOwnCoefficients();
    return (second ? secondRead.result() : true) && own && everyComponentRead();
}

bool DctRecompressor::Impl::everyComponentRead() const
{
    // libjpeg takes a component's quantization table at its first scan: a file that ends before
    // some component's scans leaves that component without one, and without coefficients.
    for (int c = 0; c < layout.components; ++c) {
        const jpeg_decompress_struct& from = second && c > 0 ? second->info : src;
        if (!from.comp_info[c].quant_table)
            return false;
    }
    return true;
}

bool DctRecompressor::Impl::readOwnCoefficients()
{
    if (setjmp(errors.jump))
        return false;
    // The output's blocks live beside the source's, so that each quality tried reuses them.
    for (int c = 0; c < layout.components; ++c)
        outputArrays[c] = src.mem->request_virt_barray(
            reinterpret_cast<j_common_ptr>(&src), JPOOL_IMAGE, FALSE,
            JDIMENSION(layout.widthInBlocks[size_t(c)]),
            JDIMENSION(layout.heightInBlocks[size_t(c)]), JDIMENSION(layout.vSamp[size_t(c)]));
    sourceArrays = jpeg_read_coefficients(&src);
    return sourceArrays != nullptr;
}

int DctRecompressor::Impl::partsFor(qsizetype offset) const
{
    // A part per idle core, none too small to be worth a thread; with no core to spare (a batch
    // gives each core a photo of its own) splitting would only add work.
    constexpr qsizetype kPartBytes = 8192;
    const int cores = std::min(1 + idleCores(), QThread::idealThreadCount());
    return int(std::clamp<qsizetype>((input.size() - offset) / kPartBytes, 1, std::max(cores, 1)));
}

bool DctRecompressor::Impl::readInParallel()
{
    if (!tryParallel)
        return false;
    tryParallel = false;
    const auto* begin = reinterpret_cast<const uint8_t*>(input.constData());
    const qsizetype offset = src.src->next_input_byte - begin;
    if (offset < 0 || offset > input.size())
        return false;
    for (int c = 0; c < layout.components; ++c) {
        const int table = src.comp_info[c].quant_tbl_no;
        if (table < 0 || table >= NUM_QUANT_TBLS || !src.quant_tbl_ptrs[table])
            return false;
    }
    // A part per idle core, none too small to be worth a thread; with no core to spare (a batch
    // gives each core a photo of its own) splitting would only add work, and libjpeg reads it.
    const int parts = partsFor(offset);
    if (parts < 2)
        return false;
    auto decoder = std::make_unique<ParallelEntropyDecoder>();
    if (!decoder->decode(src, begin + offset, size_t(input.size() - offset), parts)) {
        qCDebug(lcDctRecompressor) << "scan left to libjpeg";
        return false;
    }
    // What libjpeg takes at the start of the scan: the tables the blocks were quantized with.
    for (int c = 0; c < layout.components; ++c)
        src.comp_info[c].quant_table = src.quant_tbl_ptrs[src.comp_info[c].quant_tbl_no];
    qCDebug(lcDctRecompressor) << "scan read in" << parts << "parts," << decoder->resynchronised()
                               << "joined at a guessed start";
    decoded = std::move(decoder);
    readLater = false;
    return true;
}

bool DctRecompressor::Impl::losslessPossible() const
{
    for (int c = 0; c < layout.components; ++c)
        if (layout.downX[size_t(c)] != 1 || layout.downY[size_t(c)] != 1)
            return false;
    if (!tableOf(0))
        return false;
    if (layout.components < 3)
        return true;
    const JQUANT_TBL* cb = tableOf(1);
    const JQUANT_TBL* cr = tableOf(2);
    return cb && cr && std::equal(cb->quantval, cb->quantval + DCTSIZE2, cr->quantval);
}

DctRecompressor::DctRecompressor(const QByteArray& jpeg, int finestQuality, Reading reading)
    : d(std::make_unique<Impl>())
{
    // The smallest steps of the standard tables (10 luma, 17 chroma) at that quality.
    const int scale = jpeg_quality_scaling(std::clamp(finestQuality, 1, 100));
    const auto step = [scale](int basic) { return std::clamp((basic * scale + 50) / 100, 1, 255); };
    const qsizetype cut = ScanCut::find(jpeg, {step(10), step(17), step(17), step(17)});
    d->input = jpeg;
    d->source.set(d->input.constData(), {{0, cut}});
    d->readWhole = cut == jpeg.size();
    // With a core to spare, a progressive file's luma AC scans are read beside the rest.
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool->activeThreadCount() < pool->maxThreadCount()) {
        auto readers = ScanCut::split(jpeg, cut);
        if (!readers[0].empty()) {
            d->source.set(d->input.constData(), std::move(readers[0]));
            d->second = std::make_unique<SecondReader>();
            d->readWhole = false;
            d->second->source.set(d->input.constData(), std::move(readers[1]));
        }
    }
    if (!d->readHeader()) {
        d->refusal = QStringLiteral("not a readable JPEG");
        return;
    }
    d->layout = BlockLayout::plan(d->src, PhotoMetadata::orientation(d->exif), d->refusal);
    if (!d->refusal.isEmpty())
        return;
    const bool oneScan = !d->second && !jpeg_has_multiple_scans(&d->src);
    d->tryParallel = kFastPaths && reading == Reading::ParallelEntropy && oneScan && d->readWhole;
    d->readLater = oneScan && (!d->layout.moves() || d->tryParallel);
    if (!d->readLater && !d->readCoefficients())
        d->refusal = QStringLiteral("damaged JPEG data");
}

DctRecompressor::~DctRecompressor() = default;

bool DctRecompressor::isUsable() const
{
    return d->refusal.isEmpty();
}
QString DctRecompressor::refusal() const
{
    return d->refusal;
}
QSize DctRecompressor::uprightSize() const
{
    return d->layout.upright;
}
QByteArray DctRecompressor::exif() const
{
    return d->exif;
}
int DctRecompressor::warnings() const
{
    // A file read in parts (its last scans left out, or shared by two readers) makes libjpeg warn
    // about the parts it was not given: only a file read whole says its data is damaged.
    return d->readWhole ? d->errors.warnings : 0;
}

bool DctRecompressor::Impl::readyToEncode()
{
    if (consumed)
        return false;
    if (readLater) {
        readLater = false;
        if (!readInParallel() && !readCoefficients()) {
            refusal = QStringLiteral("damaged JPEG data");
            return false;
        }
    }
    return true;
}

QByteArray DctRecompressor::encode(int quality, const QByteArray& exif) const
{
    if (!isUsable() || !d->readyToEncode())
        return {};
    return d->encode(quality, exif);
}

QByteArray DctRecompressor::encodeLossless(const QByteArray& exif) const
{
    if (!isUsable() || !d->readyToEncode())
        return {};
    if (!d->losslessPossible())
        return {};
    return d->encode(Impl::kLossless, exif);
}

bool DctRecompressor::fastPaths()
{
    return kFastPaths;
}

QByteArray DctRecompressor::encodeOnce(int quality, const QByteArray& exif)
{
    if (!isUsable() || d->consumed)
        return {};
    if (!kFastPaths)
        return encode(quality, exif);
    // Read on every core, then coded on every core: the fastest. Without the parallel decoder,
    // encoding while reading keeps two cores busy, the reader on one and libjpeg's encoder on the
    // other.
    if (d->readLater) {
        if (QByteArray bytes = d->encodeRecorded(quality, exif); !bytes.isEmpty()) {
            d->readLater = false;
            d->consumed = true;
            return bytes;
        }
        if (!d->layout.moves() && !d->readInParallel())
            return d->encodeWhileReading(quality, exif);
    }
    if (!d->readyToEncode())
        return {};
    // A turn reads blocks from anywhere: it needs blocks of its own.
    d->inPlace = !d->layout.moves();
    d->consumed = d->inPlace;
    return d->encode(quality, exif);
}
