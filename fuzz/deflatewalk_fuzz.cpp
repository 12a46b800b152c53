// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Deflate streams and anything else: the walk always ends, and wherever libdeflate inflates a
// stream the walk finds it whole, ending where libdeflate stopped reading.
#include "FuzzSupport.h"
#include "image/DeflateWalk.h"

#include <libdeflate.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {
struct DecompressorFree
{
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto walked = DeflateWalk::walk({data, size});
    if (walked) {
        FUZZ_CHECK(walked->endBit <= size * 8);
        FUZZ_CHECK(walked->finalHeaderBit < walked->endBit);
    }
    static const std::unique_ptr<libdeflate_decompressor, DecompressorFree> inflater(
        libdeflate_alloc_decompressor());
    std::vector<uint8_t> out(size_t(1) << 20);
    size_t read = 0;
    size_t written = 0;
    if (libdeflate_deflate_decompress_ex(inflater.get(), data, size, out.data(), out.size(), &read,
                                         &written) == LIBDEFLATE_SUCCESS) {
        FUZZ_CHECK(walked.has_value());
        FUZZ_CHECK((walked->endBit + 7) / 8 == read);
    }
    return 0;
}
