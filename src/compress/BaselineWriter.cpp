// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BaselineWriter.h"

#include "ScanEncoder.h"
#include "ZigZag.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
// The most a marker segment holds after its length.
constexpr qsizetype kMostMarkerBytes = 65533;

void marker(QByteArray& out, int code, const QByteArray& body)
{
    const qsizetype length = body.size() + 2;
    out += char(0xFF);
    out += char(code);
    out += char(length >> 8);
    out += char(length & 0xFF);
    out += body;
}

void twoBytes(QByteArray& out, unsigned int value)
{
    out += char(value >> 8 & 0xFF);
    out += char(value & 0xFF);
}

QByteArray huffmanTable(int index, const HuffmanCode& code)
{
    QByteArray body(1, char(index));
    for (size_t l = 1; l <= 16; ++l)
        body += char(code.lengths()[l]);
    body.append(reinterpret_cast<const char*>(code.symbols().data()), code.symbolCount());
    return body;
}

// The ICC profile in numbered chunks, as jpeg_write_icc_profile writes it.
void iccMarkers(QByteArray& out, const JOCTET* icc, unsigned int size)
{
    constexpr qsizetype kChunk = kMostMarkerBytes - 14;
    const qsizetype chunks = (qsizetype(size) + kChunk - 1) / kChunk;
    for (qsizetype i = 0; i < chunks; ++i) {
        QByteArray body("ICC_PROFILE", 12);
        body += char(i + 1);
        body += char(chunks);
        const qsizetype from = i * kChunk;
        body.append(reinterpret_cast<const char*>(icc) + from,
                    std::min(kChunk, qsizetype(size) - from));
        marker(out, JPEG_APP0 + 2, body);
    }
}

bool writable(const jpeg_compress_struct& setup)
{
    if (setup.data_precision != 8 || setup.arith_code || setup.scan_info != nullptr ||
        setup.restart_interval != 0 || setup.restart_in_rows != 0 || !setup.optimize_coding ||
        setup.write_Adobe_marker || setup.num_components < 1 || setup.num_components > 4)
        return false;
    for (int c = 0; c < setup.num_components; ++c) {
        const jpeg_component_info& comp = setup.comp_info[c];
        const JQUANT_TBL* table = comp.quant_tbl_no >= 0 && comp.quant_tbl_no < NUM_QUANT_TBLS
                                      ? setup.quant_tbl_ptrs[comp.quant_tbl_no]
                                      : nullptr;
        if (!table || comp.dc_tbl_no != comp.ac_tbl_no || comp.dc_tbl_no < 0 ||
            comp.dc_tbl_no >= ScanEncoder::kTables ||
            std::any_of(table->quantval, table->quantval + DCTSIZE2,
                        [](UINT16 q) { return q == 0 || q > 255; }))
            return false;
    }
    return true;
}

// How many steps cover value: blocks or MCUs across a length in pixels.
int stepsOver(int64_t value, int64_t step)
{
    return int((value + step - 1) / step);
}

// The scan's picture: its components' blocks and codes, and its MCUs across and down.
struct Picture
{
    std::vector<ScanEncoder::Component> components;
    int mcusPerRow = 0;
    int mcuRows = 0;
};

Picture pictureOf(const jpeg_compress_struct& setup,
                  const std::array<const JBLOCKROW*, 4>& rows = {})
{
    const int n = setup.num_components;
    int hMax = 1, vMax = 1;
    for (int c = 0; c < n; ++c) {
        hMax = std::max(hMax, setup.comp_info[c].h_samp_factor);
        vMax = std::max(vMax, setup.comp_info[c].v_samp_factor);
    }
    const int64_t width = setup.image_width, height = setup.image_height;
    Picture picture;
    picture.components.resize(size_t(n));
    for (int c = 0; c < n; ++c) {
        const jpeg_component_info& comp = setup.comp_info[c];
        ScanEncoder::Component& to = picture.components[size_t(c)];
        to.rows = rows[size_t(c)];
        to.realWidth = stepsOver(width * comp.h_samp_factor, int64_t(hMax) * DCTSIZE);
        to.realHeight = stepsOver(height * comp.v_samp_factor, int64_t(vMax) * DCTSIZE);
        to.h = comp.h_samp_factor;
        to.v = comp.v_samp_factor;
        to.table = comp.dc_tbl_no;
    }
    picture.mcusPerRow = stepsOver(width, int64_t(hMax) * DCTSIZE);
    picture.mcuRows = stepsOver(height, int64_t(vMax) * DCTSIZE);
    return picture;
}

// The file around the coded scan, its markers as libjpeg writes them.
QByteArray assemble(const jpeg_compress_struct& setup, const ScanEncoder& scan,
                    const QByteArray& exif, const JOCTET* icc, unsigned int iccSize)
{
    const int n = setup.num_components;
    QByteArray out;
    out.reserve(scan.data().size() + exif.size() + qsizetype(iccSize) + 1024);
    out += char(0xFF);
    out += char(0xD8);
    if (setup.write_JFIF_header) {
        QByteArray jfif("JFIF", 5);
        jfif += char(setup.JFIF_major_version);
        jfif += char(setup.JFIF_minor_version);
        jfif += char(setup.density_unit);
        twoBytes(jfif, setup.X_density);
        twoBytes(jfif, setup.Y_density);
        jfif += QByteArray(2, '\0'); // no thumbnail
        marker(out, JPEG_APP0, jfif);
    }
    if (!exif.isEmpty() && exif.size() <= kMostMarkerBytes)
        marker(out, JPEG_APP0 + 1, exif);
    if (icc && iccSize > 0)
        iccMarkers(out, icc, iccSize);
    std::array<bool, NUM_QUANT_TBLS> sent{};
    for (int c = 0; c < n; ++c) {
        const int t = setup.comp_info[c].quant_tbl_no;
        if (std::exchange(sent[size_t(t)], true))
            continue;
        QByteArray body(1, char(t));
        for (const uint8_t k : kNatural)
            body += char(setup.quant_tbl_ptrs[t]->quantval[k]);
        marker(out, 0xDB, body);
    }
    QByteArray frame(1, char(8));
    twoBytes(frame, setup.image_height);
    twoBytes(frame, setup.image_width);
    frame += char(n);
    QByteArray scanHeader(1, char(n));
    std::array<bool, ScanEncoder::kTables> coded{};
    QByteArray tables;
    for (int c = 0; c < n; ++c) {
        const jpeg_component_info& comp = setup.comp_info[c];
        frame += char(comp.component_id);
        frame += char(comp.h_samp_factor << 4 | comp.v_samp_factor);
        frame += char(comp.quant_tbl_no);
        scanHeader += char(comp.component_id);
        scanHeader += char(comp.dc_tbl_no << 4 | comp.ac_tbl_no);
        if (!std::exchange(coded[size_t(comp.dc_tbl_no)], true)) {
            marker(tables, 0xC4, huffmanTable(comp.dc_tbl_no, scan.dc(comp.dc_tbl_no)));
            marker(tables, 0xC4, huffmanTable(0x10 | comp.ac_tbl_no, scan.ac(comp.ac_tbl_no)));
        }
    }
    marker(out, 0xC0, frame);
    out += tables;
    scanHeader += char(0);
    scanHeader += char(DCTSIZE2 - 1);
    scanHeader += char(0);
    marker(out, 0xDA, scanHeader);
    out += scan.data();
    out += char(0xFF);
    out += char(0xD9);
    return out;
}
} // namespace

QByteArray BaselineWriter::write(const jpeg_compress_struct& setup,
                                 const std::array<const JBLOCKROW*, 4>& rows,
                                 const QByteArray& exif, const JOCTET* icc, unsigned int iccSize,
                                 int parts)
{
    if (!writable(setup))
        return {};
    const Picture picture = pictureOf(setup, rows);
    ScanEncoder scan;
    if (!scan.encode(picture.components, picture.mcusPerRow, picture.mcuRows, parts))
        return {};
    return assemble(setup, scan, exif, icc, iccSize);
}

QByteArray
BaselineWriter::write(const jpeg_compress_struct& setup, const RecordedScan& scan,
                      const std::array<const CoefficientMapper*, MAX_COMPONENTS>& mappers,
                      const QByteArray& exif, const JOCTET* icc, unsigned int iccSize, int parts)
{
    if (!writable(setup))
        return {};
    const Picture picture = pictureOf(setup);
    ScanEncoder coded;
    if (!coded.encode(picture.components, picture.mcusPerRow, picture.mcuRows, scan, mappers,
                      parts))
        return {};
    return assemble(setup, coded, exif, icc, iccSize);
}
