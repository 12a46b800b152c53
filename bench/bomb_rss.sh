#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Peak memory of quire-cli on large images: a PNG of stripes (a few hundred KB to a few MB that
# hold side x side RGBA pixels), a progressive and a baseline JPEG of the same stripes, for each
# side given (default 10000 and 14000: 100 and 196 megapixels; 31623 is a gigapixel). Compress,
# resize and text recognition each alone; the peak is that of the largest process, the command or
# the helper it waits for. Target: under 1.2 GB each. The time is wall-clock, for orientation only.
# Usage: [BOMB_JOBS="compress resize ocr"] [BOMB_INPUTS="stripes.png stripes.jpg baseline.jpg"]
#        bench/bomb_rss.sh [build-dir] [side...]
set -euo pipefail
build=${1:-build}; shift || true
sides=("$@"); [ ${#sides[@]} -gt 0 ] || sides=(10000 14000)
cli="$build/tools/quire-cli"
[ -x "$cli" ] || { echo "build $cli first (make build)" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# The JPEG maker: libjpeg's simple progression over stripes made row by row.
cat >"$out/stripes.c" <<'C'
#include <stdio.h>
#include <stdlib.h>
#include <jpeglib.h>
int main(int argc, char **argv) {
    int side = atoi(argv[2]), progressive = atoi(argv[3]);
    FILE *f = fopen(argv[1], "wb");
    struct jpeg_compress_struct c; struct jpeg_error_mgr e;
    c.err = jpeg_std_error(&e); jpeg_create_compress(&c); jpeg_stdio_dest(&c, f);
    c.image_width = c.image_height = side; c.input_components = 3; c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c); jpeg_set_quality(&c, 90, TRUE);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    JSAMPROW row = malloc(3 * (size_t)side);
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < 3 * side; ++x) row[x] = (JSAMPLE)((x / 3 / 64 + c.next_scanline / 64) % 2 ? 230 : 30 + x % 3 * 40);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c); fclose(f); return 0;
}
C
cc -O2 -o "$out/stripes" "$out/stripes.c" -ljpeg
export QT_QPA_PLATFORM=offscreen QUIRE_DOCUMENTS="$out/docs"
printf '%-7s %-22s %-9s %5s %9s %7s  %s\n' side input job exit "peak MB" "time s" message
measure() { # side, input, job, output, args...
  local side=$1 input=$2 job=$3 output=$4; shift 4
  local status=0
  /usr/bin/time -f "%M %e" -o "$out/rss" "$cli" "$@" ${output:+-o "$output"} >/dev/null \
    2>"$out/err" || status=$?
  read -r rss seconds < <(tail -1 "$out/rss")
  printf '%-7s %-22s %-9s %5s %9s %7s  %s\n' "$side" "$input" "$job" "$status" \
    "$(( rss / 1024 ))" "$seconds" "$(head -1 "$out/err")"
}
for side in "${sides[@]}"; do
  # The PNG is streamed row by row, so making it needs no memory either.
  python3 - "$out/stripes.png" "$side" <<'PY'
import struct, sys, zlib
path, side = sys.argv[1], int(sys.argv[2])
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
z = zlib.compressobj(9)
rows = [b"\0" + bytes([(x // 64 + y) % 2 * 200 for x in range(side * 4)]) for y in range(2)]
idat = b"".join(z.compress(rows[(y // 64) % 2]) for y in range(side)) + z.flush()
with open(path, "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0)))
    f.write(chunk(b"IDAT", idat) + chunk(b"IEND", b""))
PY
  for input in ${BOMB_INPUTS:-stripes.png stripes.jpg baseline.jpg}; do
    case $input in
      stripes.jpg) "$out/stripes" "$out/stripes.jpg" "$side" 1 ;;
      baseline.jpg) "$out/stripes" "$out/baseline.jpg" "$side" 0 ;;
    esac
    label="$input ($(( $(stat -c %s "$out/$input") / 1024 )) KB)"
    for job in ${BOMB_JOBS:-compress resize ocr}; do
      case $job in
        compress) measure "$side" "$label" compress "$out" compress "$out/$input" ;;
        resize) measure "$side" "$label" resize "$out/r.png" resize "$out/$input" --width 2000 ;;
        ocr) measure "$side" "$label" ocr "" ocr "$out/$input" ;;
      esac
    done
    rm -f "$out"/r*.png "$out"/stripes-*.jpg "$out"/baseline-*.jpg "$out"/*.jpg.* 2>/dev/null || true
  done
done
