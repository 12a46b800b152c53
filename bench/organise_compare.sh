#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# merge, split, rotate and delete: quire-cli against qpdf's own page selection on a real PDF
# (default: the gnuplot manual from Debian's gnuplot-doc). Runs alternate between the tools; each
# row is the median wall time, the output size, and how many of the compared pages (drawn at
# 72 dpi by pdftoppm) are identical pixel for pixel in both outputs.
#   bench/organise_compare.sh [document.pdf] [runs] [pages to compare]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
runs=${2:-3}
compared=${3:-40}

need=()
command -v qpdf >/dev/null || need+=(qpdf)
command -v pdftoppm >/dev/null || need+=(poppler-utils)
pdf=${1:-/usr/share/doc/gnuplot/gnuplot.pdf}
[ -n "${1:-}" ] || [ -f "$pdf" ] || need+=(gnuplot-doc)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  flock /tmp/quire-apt.lock $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${need[@]}" >&2
fi
cmake --build "$build" --target quire-cli >/dev/null
cli() { QUIRE_DOCUMENTS="$work/docs" "$build/tools/quire-cli" "$@" >/dev/null; }

pages=$(qpdf --show-npages "$pdf")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$pdf" "$work/in.pdf"
in=$work/in.pdf

# time NAME COMMAND...: one timed run; keeps the seconds.
time_run() {
  local name=$1; shift
  local start end
  start=$(date +%s.%N)
  "$@"
  end=$(date +%s.%N)
  echo "$end - $start" | bc >>"$work/$name.secs"
}
median() { sort -n "$work/$1.secs" | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
# same A B: how many of the first $compared pages draw identically.
same() {
  rm -rf "$work/ra" "$work/rb"; mkdir "$work/ra" "$work/rb"
  pdftoppm -r 72 -l "$compared" "$1" "$work/ra/p"
  pdftoppm -r 72 -l "$compared" "$2" "$work/rb/p"
  local n=0 total=0
  for f in "$work"/ra/*.ppm; do
    total=$((total + 1))
    cmp -s "$f" "$work/rb/$(basename "$f")" && n=$((n + 1))
  done
  [ "$(ls "$work/rb" | wc -l)" -eq "$total" ] || n=0
  echo "$n/$total"
}

echo "document: $pdf ($pages pages), $(nproc) cores, $runs alternating runs"
printf "%-8s %-6s %8s %10s %10s\n" job tool seconds output_MB same_pages
row() { # JOB QUIRE_OUT QPDF_OUT
  local q=$2 p=$3
  printf "%-8s %-6s %8.3f %10.2f\n" "$1" quire "$(median "$1-quire")" "$(stat -c %s "$q" | awk '{print $1 / 1e6}')"
  printf "%-8s %-6s %8.3f %10.2f %10s\n" "$1" qpdf "$(median "$1-qpdf")" "$(stat -c %s "$p" | awk '{print $1 / 1e6}')" "$(same "$q" "$p")"
}
for _ in $(seq "$runs"); do
  rm -f "$work"/q-*.pdf "$work"/p-*.pdf; rm -rf "$work/parts"
  time_run merge-quire cli merge "$in" "$in" -o "$work/q-merge.pdf"
  time_run merge-qpdf qpdf --empty --pages "$in" "$in" -- "$work/p-merge.pdf"
  time_run split-quire cli split "$in" --pages "1-10,11-$pages" -o "$work/parts"
  time_run split-qpdf qpdf "$in" --pages . 1-10 -- "$work/p-split.pdf"
  time_run rotate-quire cli rotate "$in" --pages 2 --by 90 -o "$work/q-rotate.pdf"
  time_run rotate-qpdf qpdf "$in" --rotate=+90:2 "$work/p-rotate.pdf"
  time_run delete-quire cli delete "$in" --pages 5,7 -o "$work/q-delete.pdf"
  time_run delete-qpdf qpdf "$in" --pages . 1-4,6,8-z -- "$work/p-delete.pdf"
done
row merge "$work/q-merge.pdf" "$work/p-merge.pdf"
row split "$work/parts/in-1-10.pdf" "$work/p-split.pdf"
row rotate "$work/q-rotate.pdf" "$work/p-rotate.pdf"
row delete "$work/q-delete.pdf" "$work/p-delete.pdf"
