#!/usr/bin/env bash
# Peak memory of quire-cli on a decompression bomb: a PNG of a few hundred KB that claims
# side x side RGBA pixels (default 15000). Compress, resize and text recognition each alone,
# then two compresses at once. Targets: under 1.2 GB each, under 1.5 GB for the pair.
# Usage: bench/bomb_rss.sh [build-dir] [side]
set -euo pipefail
build=${1:-build}; side=${2:-15000}
cli="$build/tools/quire-cli"
[ -x "$cli" ] || { echo "build $cli first (make build)" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# The PNG is streamed row by row, so making it needs no memory either.
python3 - "$out/bomb.png" "$side" <<'PY'
import struct, sys, zlib
path, side = sys.argv[1], int(sys.argv[2])
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
z = zlib.compressobj(9)
row = b"\0" * (1 + side * 4)
idat = b"".join(z.compress(row) for _ in range(side)) + z.flush()
with open(path, "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0)))
    f.write(chunk(b"IDAT", idat) + chunk(b"IEND", b""))
PY
export QT_QPA_PLATFORM=offscreen QUIRE_DOCUMENTS="$out/docs"
echo "input: $(du -k "$out/bomb.png" | cut -f1) KB PNG of ${side} x ${side} RGBA"
printf '%-16s %6s %12s  %s\n' job exit "peak MB" "message"
measure() { # name, output, args...
  local name=$1 output=$2; shift 2
  local status=0
  /usr/bin/time -f "%M" -o "$out/rss" "$cli" "$@" -o "$output" >/dev/null 2>"$out/err" || status=$?
  printf '%-16s %6s %12s  %s\n' "$name" "$status" "$(( $(tail -1 "$out/rss") / 1024 ))" "$(head -1 "$out/err")"
}
measure compress "$out" compress "$out/bomb.png"
measure resize "$out/r.png" resize "$out/bomb.png" --width 2000
status=0
/usr/bin/time -f "%M" -o "$out/rss" "$cli" ocr "$out/bomb.png" >/dev/null 2>"$out/err" || status=$?
printf '%-16s %6s %12s  %s\n' ocr "$status" "$(( $(tail -1 "$out/rss") / 1024 ))" "$(head -1 "$out/err")"
# Two at once: the larger of the two peaks, and their sum (both are alive together).
/usr/bin/time -f "%M" -o "$out/rss1" "$cli" compress "$out/bomb.png" -o "$out" >/dev/null 2>&1 &
/usr/bin/time -f "%M" -o "$out/rss2" "$cli" compress "$out/bomb.png" -o "$out" >/dev/null 2>&1 &
wait || true
a=$(( $(tail -1 "$out/rss1") / 1024 )); b=$(( $(tail -1 "$out/rss2") / 1024 ))
printf '%-16s %6s %12s  %s\n' "2x compress" - "$((a + b))" "sum of $a and $b"
