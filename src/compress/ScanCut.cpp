// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScanCut.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
struct Scan
{
    qsizetype offset = 0;
    qsizetype end = 0;           // past its entropy-coded data
    std::vector<int> components; // frame indices
    int ss = 0, se = 0, ah = 0, al = 0;
};

struct Parsed
{
    bool progressive = false;
    std::array<int, 4> tableMax{}; // largest step of each quantization table
    std::vector<int> ids;          // component ids in frame order
    std::vector<int> tables;       // their table numbers
    std::vector<Scan> scans;
};

int byteAt(const QByteArray& b, qsizetype i)
{
    return i < b.size() ? uchar(b[i]) : -1;
}

// The end of a scan's entropy-coded data: the next marker that is neither stuffing nor a restart.
qsizetype entropyEnd(const QByteArray& b, qsizetype i)
{
    const char* data = b.constData();
    while (true) {
        const void* hit = memchr(data + i, 0xff, size_t(b.size() - i));
        if (!hit)
            return b.size();
        i = static_cast<const char*>(hit) - data;
        const int next = byteAt(b, i + 1);
        if (next != 0 && next != 0xff && (next < 0xd0 || next > 0xd7))
            return i;
        i += 1;
    }
}

bool parse(const QByteArray& b, Parsed& p)
{
    qsizetype i = 2;
    while (i + 2 <= b.size()) {
        if (byteAt(b, i) != 0xff)
            return false;
        const int marker = byteAt(b, i + 1);
        if (marker == 0xff) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0xd9)
            return true;
        const int length = (byteAt(b, i + 2) << 8) | byteAt(b, i + 3);
        const qsizetype body = i + 4, end = i + 2 + length;
        if (length < 2 || end > b.size())
            return false;
        if (marker == 0xdb) {
            for (qsizetype t = body; t < end;) {
                const int precision = byteAt(b, t) >> 4, slot = byteAt(b, t) & 3;
                const int width = precision ? 2 : 1;
                int largest = 0;
                for (int k = 0; k < 64; ++k) {
                    const qsizetype at = t + 1 + qsizetype(k) * width;
                    largest =
                        std::max(largest, width == 2 ? (byteAt(b, at) << 8) | byteAt(b, at + 1)
                                                     : byteAt(b, at));
                }
                p.tableMax[size_t(slot)] = largest;
                t += 1 + 64 * width;
            }
        } else if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 &&
                   marker != 0xcc) {
            p.progressive = marker == 0xc2;
            const int count = byteAt(b, body + 5);
            for (int c = 0; c < count; ++c) {
                p.ids.push_back(byteAt(b, body + 6 + qsizetype(3) * c));
                p.tables.push_back(byteAt(b, body + 8 + qsizetype(3) * c) & 3);
            }
        } else if (marker == 0xda) {
            Scan scan;
            scan.offset = i;
            const int count = byteAt(b, body);
            for (int c = 0; c < count; ++c) {
                const auto it = std::ranges::find(p.ids, byteAt(b, body + 1 + qsizetype(2) * c));
                if (it == p.ids.end())
                    return false;
                scan.components.push_back(int(it - p.ids.begin()));
            }
            const qsizetype s = body + 1 + qsizetype(2) * count;
            scan.ss = byteAt(b, s);
            scan.se = std::min(63, byteAt(b, s + 1));
            scan.ah = byteAt(b, s + 2) >> 4;
            scan.al = byteAt(b, s + 2) & 15;
            i = entropyEnd(b, end);
            scan.end = i;
            p.scans.push_back(scan);
            continue;
        }
        i = end;
    }
    return false;
}
} // namespace

qsizetype ScanCut::find(const QByteArray& jpeg, const std::array<int, 4>& outStep)
{
    Parsed p;
    if (!parse(jpeg, p) || !p.progressive || p.ids.empty() || p.ids.size() > 4)
        return jpeg.size();
    // The lowest bit position each coefficient is known to so far; -1 before its first scan.
    std::vector<std::array<int, 64>> known(p.ids.size());
    for (auto& k : known)
        k.fill(-1);
    const auto goodEnough = [&] {
        for (size_t c = 0; c < known.size(); ++c) {
            const int missing = *std::max_element(known[c].begin(), known[c].end());
            if (*std::min_element(known[c].begin(), known[c].end()) < 0 || missing > 8)
                return false;
            // Unread bits change a value by less than 2^missing source steps: keep that within a
            // quarter of the output step, well inside its rounding.
            if (((1 << missing) - 1) * p.tableMax[size_t(p.tables[c])] * 4 > outStep[c])
                return false;
        }
        return true;
    };
    for (size_t s = 0; s < p.scans.size(); ++s) {
        const bool onlyRefining = std::all_of(p.scans.begin() + qsizetype(s), p.scans.end(),
                                              [](const Scan& scan) { return scan.ah > 0; });
        if (onlyRefining && goodEnough())
            return p.scans[s].offset;
        for (int c : p.scans[s].components)
            for (int k = p.scans[s].ss; k <= p.scans[s].se; ++k)
                known[size_t(c)][size_t(k)] = p.scans[s].al;
    }
    return jpeg.size();
}

std::array<ScanCut::Ranges, 2> ScanCut::split(const QByteArray& jpeg, qsizetype end)
{
    Parsed p;
    if (!parse(jpeg, p) || !p.progressive || p.ids.size() < 2)
        return {};
    std::array<Ranges, 2> readers;
    std::array<qsizetype, 2> from{0, 0};
    for (const Scan& scan : p.scans) {
        if (scan.offset >= end)
            break;
        const bool lumaAc = scan.ss > 0 && scan.components == std::vector<int>{0};
        // The reader not taking it skips the scan but keeps the tables defined before it.
        const size_t other = lumaAc ? 1 : 0;
        readers[other].emplace_back(from[other], scan.offset - from[other]);
        from[other] = scan.end;
    }
    for (size_t r = 0; r < 2; ++r)
        readers[r].emplace_back(from[r], end - from[r]);
    // Nothing to share when one of them would read no scan at all.
    if (readers[0].size() == 1 || readers[1].size() == 1)
        return {};
    return readers;
}
