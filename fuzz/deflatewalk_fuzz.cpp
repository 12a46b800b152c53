// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes: the walk ends, inside them. The same bytes deflated by libdeflate, at a level the
// first byte picks: the walk finds the stream whole, its final block flagged, ending in its last
// byte.
#include "FuzzSupport.h"
#include "image/DeflateWalk.h"

#include <libdeflate.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {
struct CompressorFree
{
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (const auto walked = DeflateWalk::walk({data, size})) {
        FUZZ_CHECK(walked->endBit <= size * 8);
        FUZZ_CHECK(walked->finalHeaderBit < walked->endBit);
    }
    if (size == 0)
        return 0;
    const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(1 + data[0] % 12));
    std::vector<uint8_t> out(libdeflate_deflate_compress_bound(compressor.get(), size));
    const size_t written =
        libdeflate_deflate_compress(compressor.get(), data, size, out.data(), out.size());
    FUZZ_CHECK(written > 0);
    const auto walked = DeflateWalk::walk({out.data(), written});
    FUZZ_CHECK(walked.has_value());
    FUZZ_CHECK((walked->endBit + 7) / 8 == written);
    FUZZ_CHECK((out[walked->finalHeaderBit / 8] >> (walked->finalHeaderBit % 8)) & 1);
    return 0;
}
