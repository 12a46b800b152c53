#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Compressing a PDF of camera photos at quality 0.25 against OCRmyPDF's optimiser
# (`ocrmypdf --tesseract-timeout 0 --skip-text -O3 --jpeg-quality 25`) and Ghostscript's
# `pdfwrite -dPDFSETTINGS=/ebook`: one PDF, then a batch of four, alternating runs; wall time,
# output bytes, and the PSNR of the images against those of the input (each image compared at
# the input's size, over all pixels of all images).
#
#   bench/pdf_compress.sh [--runs N]
#
# The PDF holds the twelve JPEG photos of Debian's mate-backgrounds package (smaller than 4K),
# embedded as they are by `quire-cli pdf`.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=3
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,13p' "$0"; exit 0 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done

need=(mate-backgrounds ghostscript ocrmypdf pngquant poppler-utils python3-pil time)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}" >&2
fi

[ -x "$root/build/tools/quire-cli" ] || make -C "$root" build >&2
cli=$root/build/tools/quire-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUIRE_DOCUMENTS=$work/documents

mapfile -t photos < <(find /usr/share/backgrounds/mate -name '*.jpg' ! -name 'Elephants_*' | sort)
"$cli" pdf "${photos[@]}" -o "$work/photos.pdf" > /dev/null
mkdir -p "$work/batch"
for i in 1 2 3 4; do cp "$work/photos.pdf" "$work/batch/photos$i.pdf"; done

declare -A times
timed() { # name outdir command...
  local name=$1 out=$2; shift 2
  rm -rf "$out"; mkdir -p "$out"
  /usr/bin/time -f '%e' -o "$work/time" "$@" > /dev/null 2> "$work/err" || {
    echo "failed: $name" >&2; cat "$work/err" >&2; exit 1; }
  times[$name]+="$(cat "$work/time") "
}
median() { tr ' ' '\n' | grep -v '^$' | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ocr() { ocrmypdf -q --tesseract-timeout 0 --skip-text -O3 --jpeg-quality 25 "$1" "$2"; }
gsebook() { gs -q -sDEVICE=pdfwrite -dPDFSETTINGS=/ebook -o "$2" "$1"; }
each() { # tool outdir: every PDF of the batch in turn
  for f in "$work"/batch/*.pdf; do "$1" "$f" "$2/$(basename "$f")"; done
}
export -f ocr gsebook each; export work

for _ in $(seq 1 "$runs"); do
  timed one/quire "$work/q1" "$cli" compress "$work/photos.pdf" -o "$work/q1" --quality 0.25
  timed one/ocrmypdf "$work/o1" bash -c 'ocr "$1" "$2"' _ "$work/photos.pdf" "$work/o1/photos.pdf"
  timed one/gs "$work/g1" bash -c 'gsebook "$1" "$2"' _ "$work/photos.pdf" "$work/g1/photos.pdf"
  timed batch/quire "$work/q4" "$cli" compress "$work"/batch/*.pdf -o "$work/q4" --quality 0.25
  timed batch/ocrmypdf "$work/o4" bash -c 'each ocr "$1"' _ "$work/o4"
  timed batch/gs "$work/g4" bash -c 'each gsebook "$1"' _ "$work/g4"
done

# PSNR of every image of a PDF against the same image of the input, at the input's size.
psnr() {
  rm -rf "$work/a" "$work/b"; mkdir -p "$work/a" "$work/b"
  pdfimages -png "$work/photos.pdf" "$work/a/i"; pdfimages -png "$1" "$work/b/i"
  /usr/bin/python3 - "$work/a" "$work/b" <<'PY'
import math, os, sys
from PIL import Image, ImageChops
a, b = sys.argv[1], sys.argv[2]
se = n = 0
for name in sorted(os.listdir(a)):
    x = Image.open(os.path.join(a, name)).convert("RGB")
    y = Image.open(os.path.join(b, name)).convert("RGB")
    if y.size != x.size:
        y = y.resize(x.size, Image.BICUBIC)
    hist = ImageChops.difference(x, y).histogram()
    se += sum(count * ((i % 256) ** 2) for i, count in enumerate(hist))
    n += x.size[0] * x.size[1] * 3
print("identical" if se == 0 else f"{10 * math.log10(255 ** 2 / (se / n)):.2f}")
PY
}
bytes() { du -sb "$1" | cut -f1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", a / b}'; }
one_o=$(echo "${times[one/ocrmypdf]}" | median); b_o=$(echo "${times[batch/ocrmypdf]}" | median)

echo "| run | tool | median wall (s) | time / ocrmypdf | output bytes | PSNR (dB) |"
echo "|---|---|---:|---:|---:|---:|"
for t in quire ocrmypdf gs; do
  t1=$(echo "${times[one/$t]}" | median)
  echo "| one PDF | $t | $t1 | $(ratio "$t1" "$one_o") | $(bytes "$work/${t:0:1}1") | $(psnr "$work/${t:0:1}1"/*.pdf) |"
done
for t in quire ocrmypdf gs; do
  t4=$(echo "${times[batch/$t]}" | median)
  echo "| 4 PDFs | $t | $t4 | $(ratio "$t4" "$b_o") | $(bytes "$work/${t:0:1}4") | |"
done
echo
echo "Input: ${#photos[@]} photos, $(bytes "$work/photos.pdf") bytes; runs: $runs, alternating;" \
  "$(nproc) cores; load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)."
