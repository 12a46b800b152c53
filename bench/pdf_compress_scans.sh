#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A scanned PDF brought to 150 dpi: `quire-cli compress --dpi 150` against Ghostscript's
# `pdfwrite -dPDFSETTINGS=/ebook`, alternating runs; median wall time, output bytes, and the PSNR
# of every page drawn at 150 dpi in grey against the input's pages drawn the same way, by two
# renderers: pdftoppm (Poppler's Splash) and pdftocairo. Splash averages an image down in boxes
# that start up to half a source sample early, so it rewards an image shifted the same way;
# Cairo draws the exact area average, so it rewards the faithful one.
#
#   bench/pdf_compress_scans.sh [--runs N] [--quality Q]
#
# The scans are the pages of bench/data/text.pdf drawn at 300 dpi and stored as JPEGs at quality
# 90, put on Letter pages by `quire-cli pdf`, as a scanner's PDF holds them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=3
quality=0.5
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --quality) quality=$2; shift 2 ;;
    -h|--help) sed -n '2,11p' "$0"; exit 0 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done
cli=$root/build/tools/quire-cli
for tool in "$cli" gs pdftoppm pdftocairo convert python3; do
  command -v "$tool" >/dev/null || { echo "$tool missing (make build; scripts/setup)" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pdftoppm -r 300 -jpeg -jpegopt quality=90 "$root/bench/data/text.pdf" "$work/scan"
"$cli" pdf --page-size letter --margin 0 "$work"/scan-*.jpg -o "$work/scans.pdf" >/dev/null
draw() { # renderer pdf prefix: the pages at 150 dpi in grey, as PGM
  if [ "$1" = cairo ]; then
    pdftocairo -r 150 -gray -png "$2" "$3"
    for png in "$3"-*.png; do convert "$png" -depth 8 "${png%.png}.pgm"; done
  else
    pdftoppm -r 150 -gray "$2" "$3"
  fi
}
draw poppler "$work/scans.pdf" "$work/in"
draw cairo "$work/scans.pdf" "$work/cin"

quire=(); peer=()
for _ in $(seq "$runs"); do
  rm -rf "$work/q" "$work/gs.pdf"; mkdir "$work/q"
  /usr/bin/time -f %e -o "$work/t" "$cli" compress "$work/scans.pdf" --dpi 150 \
    --quality "$quality" -o "$work/q" >/dev/null
  quire+=("$(cat "$work/t")")
  /usr/bin/time -f %e -o "$work/t" gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite \
    -dPDFSETTINGS=/ebook -sOutputFile="$work/gs.pdf" "$work/scans.pdf"
  peer+=("$(cat "$work/t")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }

psnr() { # renderer pdf: PSNR over all pages, grey, at 150 dpi
  rm -f "$work"/out-*.pgm "$work"/out-*.png
  draw "$1" "$2" "$work/out"
  python3 - "$work" "$([ "$1" = cairo ] && echo cin || echo in)" <<'PY'
import glob, math, sys
def pgm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace(): pos += 1
        start = pos
        while not data[pos:pos + 1].isspace(): pos += 1
        fields.append(data[start:pos])
    return int(fields[1]), int(fields[2]), data[pos + 1:]
err = n = 0
for a in sorted(glob.glob(sys.argv[1] + '/' + sys.argv[2] + '-*.pgm')):
    wa, ha, pa = pgm(a)
    wb, hb, pb = pgm(a.replace('/' + sys.argv[2] + '-', '/out-'))
    for y in range(min(ha, hb)):
        ra, rb = pa[y * wa:y * wa + min(wa, wb)], pb[y * wb:y * wb + min(wa, wb)]
        err += sum((p - q) * (p - q) for p, q in zip(ra, rb)); n += len(ra)
print(f"{10 * math.log10(255 * 255 / (err / n)):.2f}" if err else "identical")
PY
}
qt=$(median "${quire[@]}"); pt=$(median "${peer[@]}")
qb=$(stat -c %s "$work/q/scans.pdf"); pb=$(stat -c %s "$work/gs.pdf")
printf "%-8s %10s %10s %12s %14s %12s\n" tool "median s" "time/gs" bytes "PSNR poppler" "PSNR cairo"
printf "%-8s %10s %10s %12s %14s %12s\n" quire "$qt" "$(awk "BEGIN{printf \"%.2f\", $qt/$pt}")" \
  "$qb" "$(psnr poppler "$work/q/scans.pdf")" "$(psnr cairo "$work/q/scans.pdf")"
printf "%-8s %10s %10s %12s %14s %12s\n" gs "$pt" 1.00 "$pb" "$(psnr poppler "$work/gs.pdf")" \
  "$(psnr cairo "$work/gs.pdf")"
echo "input: $(stat -c %s "$work/scans.pdf") bytes, $(ls "$work"/in-*.pgm | wc -l) pages"
