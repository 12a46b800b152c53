#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Quire developers
# SPDX-License-Identifier: GPL-3.0-or-later
# One full text page at 300 dpi read by quire-cli ocr (the page's text shared between one engine
# per core) against the tesseract command limited to one thread, its best one-page setup. Runs
# alternate; prints each run, the median wall time of each, Quire's ratio, and whether Quire's
# words are tesseract's (which reads the page as Quire's single engine does).
#   bench/ocr_one_page.sh [document.pdf] [page] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
pdf=${1:-bench/data/text.pdf}
page=${2:-2}
runs=${3:-5}
cmake --build "$build" --target quire-cli >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pdftoppm -r 300 -gray -png -f "$page" -l "$page" -singlefile "$pdf" "$work/page"

run() {
  local name=$1; shift
  /usr/bin/time -f "%e" -o "$work/time" "$@" >"$work/$name.txt" 2>/dev/null
  local secs; secs=$(cat "$work/time")
  echo "$secs" >>"$work/$name.secs"
  printf '%-10s %6.2f s\n' "$name" "$secs"
}
for _ in $(seq "$runs"); do
  run quire "$build/tools/quire-cli" ocr "$work/page.png"
  run tesseract env OMP_THREAD_LIMIT=1 tesseract "$work/page.png" -
done
median() { sort -n "$1" | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
q=$(median "$work/quire.secs"); t=$(median "$work/tesseract.secs")
echo "median: quire $q s, tesseract $t s, ratio $(awk -v q="$q" -v t="$t" 'BEGIN {printf "%.2f", q / t}')"
# tesseract ends its text with a form feed; the words are what is compared.
if diff <(tr -s ' \n\f' '\n\n\n' <"$work/quire.txt") <(tr -s ' \n\f' '\n\n\n' <"$work/tesseract.txt") >/dev/null; then
  echo "text: the same words as tesseract's"
else
  echo "text: differs from tesseract's:"
  diff <(tr -s ' \n\f' '\n\n\n' <"$work/quire.txt") <(tr -s ' \n\f' '\n\n\n' <"$work/tesseract.txt") | head -20
fi
echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
