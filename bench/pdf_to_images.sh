#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# PDF to PNG pages at 144 dpi: quire-cli against mutool draw (and pdftoppm once) on a real manual
# (default: the gnuplot manual from Debian's gnuplot-doc, 311 pages; R's manuals come with
# r-doc-pdf, e.g. /usr/share/R/doc/manual/R-exts.pdf, 236 pages). Runs alternate between the
# tools; prints each run, then the median wall time of each and Quire's ratio to mutool.
#   bench/pdf_to_images.sh [document.pdf] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
runs=${2:-3}

need=()
command -v mutool >/dev/null || need+=(mupdf-tools)
command -v pdftoppm >/dev/null || need+=(poppler-utils)
[ -x /usr/bin/time ] || need+=(time)
pdf=${1:-/usr/share/doc/gnuplot/gnuplot.pdf}
[ -n "${1:-}" ] || [ -f "$pdf" ] || need+=(gnuplot-doc)
case "$pdf" in /usr/share/R/doc/manual/*) [ -f "$pdf" ] || need+=(r-doc-pdf) ;; esac
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  flock /tmp/quire-apt.lock $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${need[@]}" >&2
fi
cmake --build "$build" --target quire-cli quire-pdf-worker >/dev/null

pages=$(qpdf --show-npages "$pdf")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run NAME COMMAND...: one timed run into a fresh $work/out; prints a row and keeps the seconds.
run() {
  local name=$1; shift
  rm -rf "$work/out"; mkdir -p "$work/out"
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; return 1; }
  read -r secs kb <"$work/time"
  local bytes; bytes=$(find "$work/out" -name '*.png' -printf '%s\n' | awk '{s+=$1} END {print s+0}')
  local files; files=$(find "$work/out" -name '*.png' | wc -l)
  echo "$secs" >>"$work/$name.secs"
  awk -v n="$name" -v s="$secs" -v p="$files" -v b="$bytes" -v k="$kb" \
    'BEGIN { printf "%-10s %6d %8.2f %10.2f %12.1f %10.1f\n", n, p, s, p / s, b / 1e6, k / 1024 }'
}
median() { sort -n "$work/$1.secs" | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

echo "document: $pdf ($pages pages), 144 dpi, $(nproc) cores, $runs alternating runs"
printf "%-10s %6s %8s %10s %12s %10s\n" tool pages seconds pages/s output_MB peak_MB
for _ in $(seq "$runs"); do
  run quire env QUIRE_DOCUMENTS="$work/docs" "$build/tools/quire-cli" images "$pdf" -o "$work/out" --scale 2
  run mutool mutool draw -q -r 144 -o "$work/out/p%d.png" "$pdf"
done
run pdftoppm pdftoppm -r 144 -png "$pdf" "$work/out/p"
q=$(median quire); m=$(median mutool)
awk -v q="$q" -v m="$m" 'BEGIN { printf "median: quire %.2f s, mutool %.2f s, ratio %.2f\n", q, m, q / m }'
